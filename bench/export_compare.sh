#!/bin/sh
# Whole-export figures of tavlon-export, measured rather than asserted:
#  1. a 100-year export (2000-2099, New York, every section and the Daf
#     Yomi, 50 anniversaries) with daylight saving from the tz zone and
#     from daylight.ini, timed in the same run as Debian's hebcal listing
#     of the same century, as ratios;
#  2. the peak memory of an export of 1 January 1583 to 31 December 3000.
# Usage: bench/export_compare.sh [path/to/tavlon-export]   (make bench-export)
set -e
export_bin=${1:-build/native/cli/tavlon-export}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config" "$work/data"
printf '[Location]\r\nCityName=New York, NY\r\n' > "$work/config/exportcal.ini"

# 50 anniversaries, birthdays and yahrzeits in the documents folder.
/usr/bin/python3 - "$work/data" <<'PY'
import os, struct, sys
data = struct.pack("<I", 0xAB332289)
for i in range(50):
    name = ("Person %02d" % i).encode()
    kind = "ABY"[i % 3]
    data += struct.pack("<II", 1, len(name)) + name
    data += struct.pack("<iiiiI", 1 + i % 28, 1 + i % 12, 1940 + i, i % 2, ord(kind))
data += struct.pack("<I", 0)
open(os.path.join(sys.argv[1], "Merovan Anniversaries.bin"), "wb").write(data)
PY

seconds() { # command... -> wall seconds of the command, output discarded
  start=$(date +%s.%N)
  "$@" > /dev/null
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}

if command -v hebcal >/dev/null 2>&1; then
  h=$(seconds hebcal -c -s -o -F -d -O -C "New York" --years 100 2000)
else
  h=""
  echo "hebcal is not installed (apt-get install hebcal): no ratio"
fi
# Daylight saving from New York's tz zone (the default without a rule in
# daylight.ini), then from daylight.ini's one rule (here: none).
t=$(seconds "$export_bin" --config "$work/config" --data "$work/data" --quiet --daf-yomi \
      --dst zone --from 2000-01-01 --to 2099-12-31 -o "$work/century.ics")
events=$(grep -c '^BEGIN:VEVENT' "$work/century.ics")
size=$(wc -c < "$work/century.ics")
printf 'tavlon-export --dst zone, 2000-2099, every section, Daf Yomi, 50 anniversaries: %.2f s (%d events, %d bytes)\n' "$t" "$events" "$size"
s=$(seconds "$export_bin" --config "$work/config" --data "$work/data" --quiet --daf-yomi \
      --dst settings --from 2000-01-01 --to 2099-12-31 -o "$work/century-settings.ics")
printf 'tavlon-export --dst settings, the same:                                         %.2f s\n' "$s"
printf 'ratio --dst zone / --dst settings: %.2f\n' "$(echo "$t / $s" | bc -l)"
if [ -n "$h" ]; then
  printf 'hebcal -c -s -o -F -d -O -C "New York" --years 100 2000:           %.2f s\n' "$h"
  printf 'ratio tavlon-export / hebcal: %.2f\n' "$(echo "$t / $h" | bc -l)"
fi

/usr/bin/time -f '%M' -o "$work/peak" "$export_bin" --config "$work/config" --data "$work/data" \
  --quiet --daf-yomi --from 1583-01-01 --to 3000-12-31 -o "$work/all.ics"
printf 'peak memory, 1583-01-01 to 3000-12-31: %.1f MB (%d events)\n' \
  "$(echo "$(cat "$work/peak") / 1024" | bc -l)" "$(grep -c '^BEGIN:VEVENT' "$work/all.ics")"

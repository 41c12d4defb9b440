#!/bin/sh
# Prints the candle lighting of the first Friday from June on in an
# iCalendar file of tavlon-export, so that `make run` shows a summer time
# beside the first day's winter one.
# Usage: summer-check.sh FILE.ics YEAR
file=$1
year=$2
# Folded lines joined first, then the first summer day with a candle time.
awk 'BEGIN { RS = "\r\n" }
     /^ / { line = line substr($0, 2); next }
     { if (line != "") print line; line = $0 }
     END { print line }' "$file" |
awk -v y="$year" '
  /^DTSTART;VALUE=DATE:/ { d = substr($0, 20) }
  d ~ "^" y "(0[6-9]|1[0-2])" && /^DESCRIPTION:.*Candle Lighting: / {
    sub(/.*Candle Lighting: /, ""); sub(/\\.*/, "")
    printf "Summer check: candle lighting on %s-%s-%s is %s\n", substr(d, 1, 4), substr(d, 5, 2), substr(d, 7, 2), $0
    exit
  }'

#!/bin/sh
# Fails when a folder of the core includes a folder above it. The layers,
# bottom to top: platform, settings, calendar, placetime, readings, export,
# then the programs (cli, shell, outlook). resources/ holds embedded data
# and may be included from any layer. Also fails when the core includes
# <windows.h> outside platform/win32/.
#   tools/check-layers/check-layers.sh [SOURCE_DIR]
cd "${1:-$(dirname "$0")/../..}" || exit 2
core="platform settings calendar placetime readings export"
problems=$(
  for folder in $core; do
    [ -d "$folder" ] || continue
    grep -rn --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$folder"
  done | awk -v order="resources $core cli shell outlook" '
    BEGIN { n = split(order, names, " "); for (i = 1; i <= n; i++) rank[names[i]] = i
            rank["cli"] = rank["shell"] = rank["outlook"] = n }
    {
      split($0, parts, ":"); file = parts[1]; line = parts[2]
      split(file, path, "/"); own = path[1]
      if ($0 ~ /<windows\.h>/ && file !~ /^platform\/win32\//) {
        print file ":" line ": the portable core includes <windows.h>"; next
      }
      if (!match($0, /"[^"\/]+\//)) next
      target = substr($0, RSTART + 1, RLENGTH - 2)
      if ((target in rank) && rank[target] > rank[own])
        print file ":" line ": " own "/ includes " target "/, a layer above it"
    }')
if [ -n "$problems" ]; then
  echo "$problems"
  exit 1
fi
echo "layers: every include of the core points down"

#!/bin/sh
# Non-blank lines of the tests (tests/**/*.cpp and *.h; the *.inc fixtures
# and the golden files are reference data, not counted) against those of
# the code (*.cpp and *.h outside tests/, bench/, fuzz/, tools/ and build/).
#   tools/mutate/ratio.sh [SOURCE_DIR]
cd "${1:-$(dirname "$0")/../..}" || exit 2
count() { xargs cat | grep -c '[^[:space:]]'; }
tests=$(find tests -type f \( -name '*.cpp' -o -name '*.h' \) | count)
code=$(find . \( -path ./tests -o -path ./bench -o -path ./fuzz -o -path ./tools -o -path ./build \
              -o -path ./.git \) -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | count)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests %d, code %d: tests are %.2f of the code\n", t, c, t / c }'

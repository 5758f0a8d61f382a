#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests, tool and
# reference checks, the fuzzers' smoke replays, the Windows end-to-end tests
# under Wine (x86_64) and the static checks of the shipped i686 build.
# One ctest run over all build folders, so its summary counts every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/bootstrap.sh

jobs=$(nproc)
for preset in native win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

# A CTest file above the three build folders runs all their tests as one suite.
printf 'subdirs("native" "win64" "win32")\n' > build/CTestTestfile.cmake
ctest --test-dir build --output-on-failure -j 2 "$@"

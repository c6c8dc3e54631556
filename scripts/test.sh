#!/usr/bin/env bash
# Runs every test: the logic's unit tests on Linux against the simulated desktop,
# then the Windows build: the same unit tests as a 32-bit exe under Wine, the
# import-table checks, the check that the kit's exes are the tested ones, and the
# end-to-end suite on real windows under Wine.
# Installs whatever is missing first (as root, or through sudo).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

echo "== Linux build, unit tests on the simulated desktop"
cmake --preset host >/dev/null
cmake --build --preset host -j2
ctest --preset host

echo "== Fuzz targets, quick run (clang, libFuzzer, ASan, UBSan)"
bash scripts/fuzz.sh
echo "== Unit tests under ASan and UBSan (g++)"
bash scripts/sanitize.sh

echo "== 32-bit Windows build, tests under Wine"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2
source scripts/wine-env.sh
trap framewright_wine_cleanup EXIT
ctest --preset win32 -j2 --timeout 900

#!/usr/bin/env bash
# Runs the host benchmarks of the launcher's hot paths (not part of the tests).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset host >/dev/null
cmake --build --preset host -j2 --target launcher_bench
./build/host/launcher_bench "$@"

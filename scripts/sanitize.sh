#!/usr/bin/env bash
# Builds the host unit suite with g++ under AddressSanitizer and UndefinedBehavior-
# Sanitizer, every finding fatal, in build/asan, and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/asan
# No optimisation and line tables only: half the build time of -O1, and the suite
# still runs in seconds; reports keep their file and line.
# The build type names no flags of its own, so these are the only ones.
# g++ leaves the two float checks out of "undefined"; the size arithmetic must never
# divide by zero or convert an out-of-range float, so they are asked for by name.
sanitizers="address,undefined,float-cast-overflow,float-divide-by-zero"
flags="-O0 -g1 -fsanitize=$sanitizers -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=g++ -DCMAKE_BUILD_TYPE=Sanitize \
      -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=$sanitizers" >/dev/null
if ! cmake --build "$build" --target unit_tests -j2 >"$build/build.log" 2>&1; then
  tail -40 "$build/build.log" >&2
  exit 1
fi

export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$build/unit_tests" --gtest_brief=1

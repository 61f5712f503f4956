#!/usr/bin/env bash
# Installs what is missing, builds the test configuration (Debug with address and
# undefined-behaviour sanitizers) and runs every test. Exit status is ctest's.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
      -DCMAKE_C_FLAGS_DEBUG="-g -O1" -DVANTREL_SANITIZE=ON -DVANTREL_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
exec ctest --output-on-failure -j"$(nproc)"

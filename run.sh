#!/usr/bin/env bash
# Installs what is missing, builds the Release configuration (the program with its dictionary
# and the data it ships) and starts Vantrel.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target vantrel_all

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && "${QT_QPA_PLATFORM:-}" != offscreen ]]; then
  echo "run.sh: no display. Start Vantrel under a virtual one with:" >&2
  echo "  xvfb-run -a ./run.sh" >&2
  exit 1
fi
exec "$build/bin/Vantrel" "$@"

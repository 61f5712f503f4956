#!/usr/bin/env bash
# Builds the audio tests with ThreadSanitizer in a build folder of their own and runs them:
# recording, playback, the level meter and the audio manager, whose work crosses the wave
# devices' threads, the workers that take their buffers and the timer thread.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/tsan
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTREL_BENCH=OFF \
      -DCMAKE_CXX_FLAGS="-g -O1 -fsanitize=thread" -DCMAKE_C_FLAGS="-g -O1 -fsanitize=thread" \
      -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread >/dev/null
cmake --build "$build" -j"${JOBS:-$(nproc)}" --target shell_audio_tests shell_tests
export QT_QPA_PLATFORM=offscreen
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
"$build/bin/shell_audio_tests" --gtest_brief=1
"$build/bin/shell_tests" --gtest_brief=1 --gtest_filter='AudioManager*'

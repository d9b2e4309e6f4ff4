#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite.
#   bash tools/test.sh              normal build in build/
#   SANITIZE=1 bash tools/test.sh   address + undefined behaviour sanitizers in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

if [ "${SANITIZE:-0}" = "1" ]; then
  dir=build-sanitize
  flags=(-DSANITIZE=ON -DBUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug)
  export ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
else
  # The package's own build: tools/package.sh packages this tree
  # (VELTRA_PACKAGE_BUILD_DIR=build) rather than building another.
  dir=build
  source tools/release-flags.sh
  flags=("${release_flags[@]}")
fi

cmake -S . -B "$dir" -G Ninja "${flags[@]}"
cmake --build "$dir" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"

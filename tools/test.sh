#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite twice: as built for users,
# then with AddressSanitizer and UndefinedBehaviorSanitizer; the downloader's threads also run under
# ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh --tests

jobs=$(nproc)
run_suite() { # build-dir, extra cmake arguments...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure -j "$jobs")
}

run_suite build
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite build-asan -DSUICHUAN_SANITIZE=ON -DSUICHUAN_BENCHMARKS=OFF
# Only the download tests, whose threads are what ThreadSanitizer is for. die_after_fork=0: they start
# nginx and openssl (fork + exec) while downloader threads exist.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSUICHUAN_TSAN=ON -DSUICHUAN_BENCHMARKS=OFF >/dev/null
cmake --build build-tsan -j "$jobs" --target test_downloader test_update
(cd build-tsan && TSAN_OPTIONS="die_after_fork=0 halt_on_error=1" ctest --output-on-failure -R 'test_(downloader|update)$')

#!/usr/bin/env bash
# Installs what the tests need, then runs the whole suite twice: a normal build, and a build
# with AddressSanitizer and UndefinedBehaviorSanitizer. File failures that permission bits
# cause are run once more as an unprivileged user.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

jobs=$(nproc)

echo "== normal build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")
scripts/run-unprivileged-tests.sh build

echo "== sanitizer build"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTILNORA_SANITIZE=ON -DTILNORA_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
(cd build-asan && ctest --output-on-failure -j"$jobs")
scripts/run-unprivileged-tests.sh build-asan

echo "== all tests passed"

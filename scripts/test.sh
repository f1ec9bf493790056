#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UBSan into build-test/ and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON
cmake --build build-test -j2
exec ctest --test-dir build-test --output-on-failure

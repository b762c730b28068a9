#!/usr/bin/env bash
# Installs what is missing, builds Zelkan twice (optimised, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test in both builds; the optimised build also makes
# the Debian package, which is checked.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELKAN_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
rm -f build/zelkan_*.deb
(cd build && cpack -G DEB)
bash tests/check_package.sh build/zelkan_*.deb

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZELKAN_SANITIZE=ON \
  -DZELKAN_WERROR=ON
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

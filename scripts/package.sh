#!/usr/bin/env bash
# Installs what is missing, builds Zelkan and makes its Debian package in build-package/, to be
# installed with `apt install ./build-package/zelkan_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELKAN_TESTS=OFF \
  -DZELKAN_BENCHMARKS=OFF
cmake --build build-package -j "$(nproc)"
rm -f build-package/zelkan_*.deb
(cd build-package && cpack -G DEB)

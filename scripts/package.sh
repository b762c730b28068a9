#!/usr/bin/env bash
# Installs what is missing, builds Zelkan and makes its Debian package in build-package/, to be
# installed with `apt install ./build-package/zelkan_*.deb`. Further arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

# Built as Debian builds its packages: with the distribution's hardening flags, all of them
# (fortify, stack protector, relro and bind-now), the programs in /usr/games as Debian keeps its
# games, our library in a private folder under the architecture's library folder.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release \
  "-DCMAKE_C_FLAGS=$cflags" "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" \
  "-DCMAKE_SHARED_LINKER_FLAGS=$ldflags" \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
  "-DCMAKE_INSTALL_LIBDIR=lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)" \
  -DCMAKE_INSTALL_DATADIR=share -DBUILD_TESTING=OFF -DZELKAN_BENCHMARKS=OFF \
  -DZELKAN_GENERATORS=OFF "$@"
cmake --build build-package -j "$(nproc)"
rm -f build-package/zelkan_*.deb
(cd build-package && cpack -G DEB)

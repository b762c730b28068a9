#!/usr/bin/env bash
# Installs what is missing, builds Zelkan twice (optimised with GCC, and with AddressSanitizer and
# UndefinedBehaviorSanitizer with clang) and runs every test in both builds, and those that run
# threads once more under ThreadSanitizer. Then the Debian package is made as scripts/package.sh
# makes it and checked, lintian included, and the same build is installed once more as
# distributions' build macros install it (absolute folders, no test libraries). At the end,
# passed or not, the run fails if the tests left a process, a FUSE mount or a temporary file
# behind, and names it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

# Nothing the tests start may be left running, mounted or on disk at the end.
source tests/leftovers.sh
watch_for_leftovers

jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELKAN_WERROR=ON -DBUILD_TESTING=ON \
  -DZELKAN_BENCHMARKS=ON -DZELKAN_GENERATORS=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure --no-tests=error -j "$jobs"

bash scripts/package.sh -DZELKAN_WERROR=ON
bash tests/check_package.sh build-package/zelkan_*.deb
bash tests/check_absolute_install.sh build-package

# The sanitizer build is clang's, so that both compilers build the whole tree with warnings as
# errors: GCC the optimised build and the package, clang this one.
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DZELKAN_SANITIZE=ON -DZELKAN_WERROR=ON -DBUILD_TESTING=ON
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure --no-tests=error -j "$jobs"

# ThreadSanitizer, with GCC, over the test programs that run threads (labelled "threads"): any
# report fails them. The suppressions are for the libraries' own threads only.
cmake -S . -B build-threads -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELKAN_SANITIZE_THREADS=ON \
  -DZELKAN_WERROR=ON -DBUILD_TESTING=ON
cmake --build build-threads -j "$jobs" --target threaded_tests
TSAN_OPTIONS="suppressions=$PWD/tests/tsan.supp" \
  ctest --test-dir build-threads -L threads --output-on-failure --no-tests=error -j "$jobs"

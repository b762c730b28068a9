#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Zelkan need.
# Only what is missing is installed, so a second run costs next to nothing.
set -euo pipefail

# The portals are there as on every GNOME desktop: the tests' session buses start them, and
# the tests take them down again, the document portal's FUSE mount with fusermount3.
packages=(
  build-essential clang cmake ninja-build pkg-config
  time python3
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libgtk-3-dev libatspi2.0-dev at-spi2-core fonts-ipafont-mincho fonts-ipafont-gothic
  libsdl2-dev libsdl2-mixer-dev
  xvfb xauth xdotool x11-utils imagemagick clang-format openbox
  file desktop-file-utils appstream lintian man-db dbus-daemon shared-mime-info libxml2-utils
  libglib2.0-bin libglib2.0-dev-bin
  dbus-bin xdg-desktop-portal xdg-desktop-portal-gtk fuse3
  gettext gzip locales orca
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The end-to-end test plays a game on an English desktop.
if ! locale -a | grep -qx 'en_US.utf8'; then
  echo "Making the locale en_US.UTF-8"
  sed -i 's/^# *\(en_US.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -qx 'en_US.UTF-8 UTF-8' /etc/locale.gen || echo 'en_US.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen
fi

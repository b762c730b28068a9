#!/usr/bin/env bash
# The Debian package holds exactly the installed game, depends on what the game needs to run,
# sanitizer runtimes not among it, and lintian finds nothing to say about it: no error, no
# warning, no hardening or other informational remark.
#   tests/check_package.sh zelkan_<version>_<arch>.deb
set -euo pipefail
deb=$1
id=org.zelkan.zelkan
lib=lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/zelkan
diff <(printf './usr/%s\n' games/zelkan games/zelkan-engine $lib/libZelkan.so \
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
  share/mime/packages/$id.xml share/dbus-1/services/$id.service \
  share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/$id.png \
  share/icons/hicolor/scalable/apps/$id.svg share/zelkan/{その他,禁止,石打音,BGM,消滅}.wav \
  share/man/man6/{zelkan,zelkan-engine}.6.gz share/doc/zelkan/{copyright,changelog.gz} \
  $(sed -n 's|^\([^#].*\)|share/locale/\1/LC_MESSAGES/zelkan.mo|p' "$(dirname "$0")/../po/LINGUAS") \
  share/locale/ja/LC_MESSAGES/zelkan.mo |
  sort) \
  <(dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v '/$' | sort)

depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-ipafont-gothic fonts-ipafont-mincho libgtk-3-0 libsdl2-mixer-2.0-0; do
  grep -q "$needed" <<<"$depends" || { echo "$deb does not depend on $needed: $depends"; exit 1; }
done
if grep -qE 'libasan|libubsan' <<<"$depends"; then echo "$deb needs a sanitizer: $depends"; exit 1; fi

# The installed game finds its library in the private folder only, from its own folder.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
runpath=$(readelf -d "$unpacked/usr/games/zelkan" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
[ "$runpath" = "\$ORIGIN/../$lib" ] || { echo "run path of zelkan: $runpath"; exit 1; }

# Lintian leaves temporary files of its own behind: they go in the unpacked folder's care.
mkdir "$unpacked/lintian-tmp"
remarks=$(TMPDIR=$unpacked/lintian-tmp lintian --display-info --pedantic --fail-on error,warning,info,pedantic "$deb") ||
  { echo "lintian on $deb:"; echo "$remarks"; exit 1; }
echo "$deb: $(stat -c %s "$deb") bytes, Depends: $depends; lintian: ${remarks:-nothing to say}"

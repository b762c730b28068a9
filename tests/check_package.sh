#!/usr/bin/env bash
# The Debian package holds exactly the installed game and depends on what the game needs to run,
# sanitizer runtimes not among it.
#   tests/check_package.sh zelkan_<version>_<arch>.deb
set -euo pipefail
deb=$1
id=org.zelkan.zelkan

expected=(usr/bin/zelkan usr/bin/zelkan-engine usr/lib/zelkan/libZelkan.so
  usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/$id.svg)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for sound in その他 禁止 石打音 BGM 消滅; do
  expected+=("usr/share/zelkan/$sound.wav")
done
diff <(printf './%s\n' "${expected[@]}" | sort) \
  <(dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v '/$' | sort)

depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-ipafont-gothic fonts-ipafont-mincho libgtk-3-0 libsdl2-mixer-2.0-0; do
  grep -q "$needed" <<<"$depends" || { echo "$deb does not depend on $needed: $depends"; exit 1; }
done
if grep -qE 'libasan|libubsan' <<<"$depends"; then
  echo "$deb depends on a sanitizer runtime: $depends"
  exit 1
fi
echo "$deb: $(stat -c %s "$deb") bytes, Depends: $depends"

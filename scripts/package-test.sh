#!/usr/bin/env bash
# Builds the Debian package, checks its metadata and contents, installs it with apt-get, starts the
# installed game under Xvfb, and removes the package again. Also checks a staged cmake --install.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo

cmake --preset release >/dev/null
cmake --build --preset release

# A staged install lays out the binary, the desktop entry, the metadata and the icons.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cmake --install build/release --prefix "$stage/usr" >/dev/null
for f in bin/wedgora share/applications/wedgora.desktop \
         share/metainfo/example.wedgora.Wedgora.metainfo.xml \
         share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/wedgora.png; do
  [ -f "$stage/usr/$f" ] || { echo "staged install lacks $f"; exit 1; }
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$stage/usr/share/applications/wedgora.desktop"
fi

(cd build/release && rm -f wedgora_*.deb && cpack -G DEB >/dev/null)
deb=$(ls build/release/wedgora_*.deb)
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
info=$(dpkg-deb --info "$deb")
for field in "Package: wedgora" "Section: games" "Depends: libsdl2-2.0-0" "Maintainer:"; do
  grep -q "$field" <<<"$info" || { echo "package metadata lacks '$field'"; exit 1; }
done
contents=$(dpkg-deb --contents "$deb")
for f in ./usr/bin/wedgora ./usr/share/applications/wedgora.desktop \
         ./usr/share/icons/hicolor/256x256/apps/wedgora.png; do
  grep -q " $f$" <<<"$contents" || { echo "package lacks $f"; exit 1; }
done

DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "./$deb" >/dev/null
trap 'rm -rf "$stage"; DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq wedgora >/dev/null' EXIT
python3 tests/e2e/journeys.py /usr/bin/wedgora --only start_up
echo "package: 1 passed, 0 failed"

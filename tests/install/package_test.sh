#!/usr/bin/env bash
# Packs a build tree as the Debian package and checks what a modeller's system gets from it:
# the programs, the README with every picture it shows beside it, the copyright file and the
# changelog, and the fields (a maintainer, a long description, the dependencies computed from
# the programs). Skipped (77) without dpkg-deb. Usage: package_test.sh BUILD_DIR OUT
set -euo pipefail
build=$1
out=$2
if ! command -v dpkg-deb >/dev/null || ! command -v dpkg-shlibdeps >/dev/null; then
  echo "dpkg-deb or dpkg-shlibdeps is missing: the package is not checked"
  exit 77
fi
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$out"
mkdir -p "$out"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/vexaconfig_*.deb)

depends=$(dpkg-deb -f "$deb" Depends)
for needed in 'libqt6core6 \(>= 6\.4' 'libqt6widgets6 \(>= 6\.' 'libqt6serialport6 \(>= 6\.' 'libc6 \(>= 2\.(3[4-9]|[4-9][0-9])' \
  'qt6-qpa-plugins'; do
  grep -Eq "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
maintainer=$(dpkg-deb -f "$deb" Maintainer)
[[ $maintainer =~ ^[^\<]+\ \<[^@\>]+@[^@\>]+\>$ && $maintainer != *localhost* ]] || fail "Maintainer: $maintainer"
description=$(dpkg-deb -f "$deb" Description)
[ "$(wc -l <<<"$description")" -ge 3 ] || fail "no long description: $description"

root="$out/root"
dpkg-deb -x "$deb" "$root"
doc="$root/usr/share/doc/vexaconfig"
for file in usr/bin/vexaconfig usr/bin/vexaconfig-cli usr/bin/vexa-sim usr/share/vexaconfig/VexaDevices.def \
  usr/share/applications/vexaconfig.desktop usr/share/icons/hicolor/48x48/apps/vexaconfig.png \
  usr/share/icons/hicolor/scalable/apps/vexaconfig.svg usr/share/doc/vexaconfig/README.md \
  usr/share/man/man1/vexaconfig.1.gz usr/share/man/man1/vexaconfig-cli.1.gz usr/share/man/man1/vexa-sim.1.gz; do
  [ -f "$root/$file" ] || fail "$file is not in the package"
done
if command -v readelf >/dev/null; then
  for program in vexaconfig vexaconfig-cli vexa-sim; do
    ! readelf -S "$root/usr/bin/$program" | grep -q '\.comment' || fail "$program keeps its .comment section"
  done
fi
grep -q 'License: GPL-3+' "$doc/copyright" || fail "copyright names no licence"
version=$(dpkg-deb -f "$deb" Version)
[ "$(zcat "$doc/changelog.gz" | head -n 1 | cut -d ' ' -f 1-2)" = "vexaconfig ($version)" ] ||
  fail "changelog does not start with version $version"
pictures=$(grep -o '](docs/[^)]*)' "$doc/README.md" | sed 's/^](//; s/)$//')
[ -n "$pictures" ] || fail "the README shows no pictures"
for picture in $pictures; do
  [ -f "$doc/$picture" ] || fail "the README's picture $picture is not beside it"
done
echo "package $(basename "$deb") holds what it should"

#!/usr/bin/env bash
# Installs a build tree into a temporary root and checks that the installed programs start
# and find what they need there. Usage: install_test.sh BUILD_DIR ROOT
set -euo pipefail
build=$1
root=$2
rm -rf "$root"
cmake --install "$build" --prefix "$root" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
for file in bin/vexaconfig bin/vexaconfig-cli bin/vexa-sim share/applications/vexaconfig.desktop \
  share/icons/hicolor/scalable/apps/vexaconfig.svg; do
  [ -e "$root/$file" ] || fail "$file is not installed"
done
grep -qx 'Categories=Utility;' "$root/share/applications/vexaconfig.desktop" || fail "desktop entry not in Utility"
if [ -e "$(dirname "$0")/../../data/VexaDevices.def" ]; then
  [ -e "$root/share/vexaconfig/VexaDevices.def" ] || fail "standard device library is not installed"
fi

# Each output is taken whole before it is searched: grep -q would stop reading early, and the
# writer's broken pipe would fail the pipeline.
help=$("$root/bin/vexaconfig-cli" --help) || fail "vexaconfig-cli --help"
grep -q 'Usage' <<<"$help" || fail "vexaconfig-cli --help shows no usage"
"$root/bin/vexa-sim" --help >/dev/null || fail "vexa-sim --help"
help=$("$root/bin/vexaconfig" --help) || fail "vexaconfig --help"
grep -q 'vexaconfig' <<<"$help" || fail "vexaconfig --help names no program"
version=$("$root/bin/vexaconfig-cli" --port sim version)
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "vexaconfig-cli --port sim version gave '$version'"

if [ -e "$root/share/vexaconfig/VexaDevices.def" ]; then
  devices=$("$root/bin/vexaconfig-cli" devices) || fail "vexaconfig-cli devices"
  grep -qx 'Signal 3 aspects' <<<"$devices" || fail "the installed vexaconfig-cli does not find its devices"
fi

# Standard error that is no terminal carries no progress line.
errors=$("$root/bin/vexaconfig-cli" --port sim read-all 2>&1 >/dev/null)
[ -z "$errors" ] || fail "read-all wrote to a redirected standard error: $errors"
echo "installed programs start"

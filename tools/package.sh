#!/usr/bin/env bash
# Builds the Debian package build-package/veltra-logger_<version>_amd64.deb
# from a Release build with Debian's hardening flags, and checks it: the
# desktop entry and the AppStream metadata are validated, and lintian's
# errors fail the script.
#   bash tools/package.sh
#   VELTRA_PACKAGE_BUILD_DIR=build bash tools/package.sh
#       packages the tree tools/test.sh built (the same flags, tests beside)
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
# Only packaging needs these: icon rendering, the package checks, and the
# file command that cpack uses to find the programs for dpkg-shlibdeps.
packages=(dpkg-dev file librsvg2-bin lintian desktop-file-utils appstream)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

dir=${VELTRA_PACKAGE_BUILD_DIR:-build-package}
source tools/release-flags.sh
if [ "$dir" = build-package ]; then
  release_flags+=(-DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=OFF)
fi
cmake -S . -B "$dir" -G Ninja "${release_flags[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"

rm -f "$dir"/veltra-logger_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/veltra-logger_*_amd64.deb)

app_id=$(sed -n 's/^set(VELTRA_APP_ID \(.*\))$/\1/p' CMakeLists.txt)
desktop-file-validate "$dir/packaging/$app_id.desktop"
desktop-file-validate "$dir/packaging/autostart/$app_id.desktop"
appstreamcli validate --no-net "$dir/packaging/$app_id.metainfo.xml"

echo "Package: $deb ($(du -k "$deb" | cut -f1) KiB)"
dpkg-deb --field "$deb" Version Installed-Size Depends
echo "lintian:"
lintian --fail-on error --display-info "$deb" || { echo "lintian reports errors"; exit 1; }

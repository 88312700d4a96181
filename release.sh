#!/usr/bin/env bash
# Builds every preset, runs every test, then writes the packages into dist/:
# the .deb (Linux, Qt), the zip and the installer of the 32-bit Sorbel.exe,
# the window's screenshot for the AppStream listing, and SHA256SUMS.
#   SORBEL_SCREENSHOT_URL=https://.../frmXRD.png ./release.sh
# lists the screenshot in the metainfo once it is published at that address.
set -euo pipefail
cd "$(dirname "$0")"

./dev.sh test
if [[ -n "${SORBEL_SCREENSHOT_URL:-}" ]]; then
  cmake --preset linux -DSORBEL_SCREENSHOT_URL="$SORBEL_SCREENSHOT_URL" >/dev/null
  cmake --build --preset linux
fi
cmake --build --preset win32 --target windows_packages

# Written by CMake from project(VERSION ...); both builds come from one source.
version=$(<build/linux/version.txt)
[[ -n "$version" && "$version" == "$(<build/win32/version.txt)" ]] ||
  { echo "release.sh: build/linux and build/win32 disagree on the version (configure both again)" >&2; exit 1; }

rm -rf dist
mkdir -p dist/screenshots
cpack --config build/linux/CPackConfig.cmake -B build/linux/cpack >build/linux/cpack.log 2>&1 ||
  { cat build/linux/cpack.log >&2; exit 1; }
cp "build/linux/cpack/sorbel_${version}_$(dpkg --print-architecture).deb" dist/
cp "build/win32/packaging/Sorbel-$version-win32.zip" "build/win32/packaging/Sorbel-$version-win32-setup.exe" dist/
cp build/linux/screenshots/frmXRD.png dist/screenshots/
(cd dist && find . -type f ! -name SHA256SUMS -printf '%P\n' | sort | xargs sha256sum >SHA256SUMS)

echo "Sorbel $version, written to dist/:"
(cd dist && find . -type f -printf '  %-40P %10s bytes\n' | sort)

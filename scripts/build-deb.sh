#!/usr/bin/env bash
# Builds the Debian package of the game: installs the packaging tools and the build's
# dependencies (debian/control) if any is missing, builds the binary package, puts it with
# its build records in dist/out/ and reports what lintian finds in it.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
tools=(dpkg-dev debhelper devscripts fakeroot lintian)
missing=()
for p in "${tools[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ] || ! dpkg-checkbuilddeps >/dev/null 2>&1; then
    "${sudo[@]}" apt-get update -qq
    export DEBIAN_FRONTEND=noninteractive
    [ ${#missing[@]} -eq 0 ] ||
        "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
    "${sudo[@]}" apt-get build-dep -y -qq --no-install-recommends ./
fi

dpkg-buildpackage -us -uc -b -j"$(nproc)"

# dpkg-buildpackage leaves its results beside the source folder.
version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
mkdir -p dist/out
shopt -s nullglob
results=(../tilnora_"$version"_"$arch".* ../tilnora-dbgsym_"$version"_"$arch".*)
mv -f "${results[@]}" dist/out/
echo "== lintian"
lintian --info --fail-on error dist/out/tilnora_"$version"_"$arch".changes
echo "== built: $(ls dist/out/*.deb | tr '\n' ' ')"

#!/usr/bin/env bash
# Fetches a Debian source package (with Debian's patches applied) for building it for the
# Windows target, without changing any system file: a private sources list built from the
# archive this machine already uses. Usage: fetch-source-package.sh <package> <folder>
# Leaves the unpacked source in <folder>/source; does nothing when it is there.
set -euo pipefail
package=$1
folder=$(mkdir -p "$2" && cd "$2" && pwd)
[ -f "$folder/source/.unpacked" ] && exit 0

# The archive of the machine's bookworm index, and its security archive when it uses one.
mapfile -t uris < <(apt-get indextargets --format '$(URI)' |
    sed -n 's#^\(.*\)/dists/\(bookworm\|bookworm-security\)/main/.*#\1 \2#p' | sort -u)
if [ ${#uris[@]} -eq 0 ]; then
    echo "no bookworm archive in the apt configuration" >&2
    exit 1
fi
apt_dir=$folder/apt
rm -rf "$apt_dir"
mkdir -p "$apt_dir/lists/partial"
for entry in "${uris[@]}"; do
    read -r uri suite <<<"$entry"
    printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n\n' \
        "$uri" "$suite"
done >"$apt_dir/src.sources"
options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir"
         -o "Dir::State::Lists=$apt_dir/lists")
apt-get "${options[@]}" -qq update
download=$folder/download
rm -rf "$download" "$folder/source"
mkdir -p "$download"
(cd "$download" && apt-get "${options[@]}" -qq source --download-only "$package" >/dev/null)
dpkg-source --no-check -x "$download"/"$package"_*.dsc "$folder/source" >/dev/null
touch "$folder/source/.unpacked"

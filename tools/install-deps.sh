#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; installs nothing that is there.
set -euo pipefail
packages=(
    cmake make g++ googletest clang-format clang-14 libclang-rt-14-dev
    g++-mingw-w64-x86-64-posix mingw-w64-tools
    wine wine64 fonts-wine fonts-liberation
    xvfb xauth xdotool xclip x11-apps imagemagick
    python3 python3-pytest python3-pil python3-gi gir1.2-gtk-3.0 python3-aiosmtpd
    python3-cryptography python3-pytest-timeout locales
    dpkg-dev fp-utils nsis
)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Sources of the libraries built for the Windows target by the build itself.
"$(dirname "$0")/fetch-source-package.sh" curl "$(cd "$(dirname "$0")/.." && pwd)/build/deps/curl"

# The Russian runs need the locale itself: without it Wine reads file names in ASCII.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi

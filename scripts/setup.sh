#!/bin/bash
# Installs whatever is missing to build and test DRIM32 on Debian 12:
# the native and the mingw-w64 tool chains, Wine (32-bit), Xvfb and the
# tools the end-to-end tests drive it with, and the ja_JP.UTF-8 locale,
# without which Wine does not use code page 932 and silently mangles
# Japanese DDE strings and file names.  Quick when nothing is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ python3 clang-format clang libclang-rt-14-dev
    libgtest-dev googletest
    g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
    wine wine32:i386
    xvfb xauth xdotool x11-utils imagemagick
    locales fonts-ipafont-gothic
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1
need_locale=0
locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' || need_locale=1

if [ ${#missing[@]} -eq 0 ] && [ $need_i386 -eq 0 ] && [ $need_locale -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    as_root=(sudo)
else
    echo "setup: not root and no password-less sudo; still missing:" >&2
    [ $need_i386 -eq 1 ] && echo "  dpkg architecture i386 (dpkg --add-architecture i386)" >&2
    [ ${#missing[@]} -gt 0 ] && echo "  packages: ${missing[*]}" >&2
    [ $need_locale -eq 1 ] && echo "  locale ja_JP.UTF-8 (locale-gen)" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if [ $need_i386 -eq 1 ]; then
    "${as_root[@]}" dpkg --add-architecture i386
fi
if [ ${#missing[@]} -gt 0 ] || [ $need_i386 -eq 1 ]; then
    echo "setup: installing ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    "${as_root[@]}" sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
    "${as_root[@]}" locale-gen >/dev/null
fi
echo "setup: done"

#!/bin/bash
# Installs whatever is missing to build and test DRIM32 on Debian 12:
# the native and the mingw-w64 tool chains, Wine (32-bit), Xvfb and the
# tools the end-to-end tests drive it with, chmcmd (fp-utils) that compiles
# the HTML Help file and chmlib (libchm-bin) that reads it back, and the
# ja_JP.UTF-8 locale, without which Wine does not use code page 932 and
# silently mangles Japanese DDE strings and file names.  The en_US.UTF-8
# locale is the other system code page the code page test runs the program
# in.  Quick when nothing is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ python3 clang-format clang libclang-rt-14-dev
    libgtest-dev googletest
    g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
    wine wine32:i386
    fp-utils libchm-bin
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
locales=(ja_JP en_US)
need_locale=0
for name in "${locales[@]}"; do
    locale -a 2>/dev/null | grep -qix "$name.utf8" || need_locale=1
done

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
    [ $need_locale -eq 1 ] && echo "  locales ${locales[*]/%/.UTF-8} (locale-gen)" >&2
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
if [ $need_locale -eq 1 ]; then
    for name in "${locales[@]}"; do
        "${as_root[@]}" sed -i "s/^# *\($name.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen || echo "$name.UTF-8 UTF-8" | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
    done
    "${as_root[@]}" locale-gen >/dev/null
fi
echo "setup: done"

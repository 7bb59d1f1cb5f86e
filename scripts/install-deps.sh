#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Convalis
# need, when they are missing. Safe to run again: it installs nothing twice.
set -euo pipefail

packages=(
    cmake ninja-build g++ make          # native build
    clang                               # the clang build (make clang)
    googletest libgtest-dev             # unit tests, and the source the Win32 tests build
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64   # Convalis.exe
    wine wine64                         # running it
    fonts-wine                          # Wine's "MS Sans Serif" (scripts/wine-prefix-fonts.sh)
    xvfb xdotool x11-utils              # end-to-end tests on a private display
    liblnk-utils                        # lnkinfo: reads shortcut files independently
    halibut                             # the help: Convalis.hlp, Convalis.chm, HTML
    wixl msitools                       # the MSI installer (wixl, msibuild)
    imagemagick                         # scripts/screenshots.sh: the README's pictures
    clang-format
    clang libclang-rt-dev               # the libFuzzer harnesses (make fuzz)
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

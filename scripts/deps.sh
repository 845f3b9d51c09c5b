#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when
# any is missing, and the font alias for the Japanese screen fonts.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libqt6printsupport6 qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-translations-l10n
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    fonts-noto-cjk fonts-ipafont-gothic fontconfig
    clang libclang-rt-14-dev
    xvfb xauth socat
    poppler-utils
    help2man desktop-file-utils
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

conf=/etc/fonts/conf.d/65-kvmanager-ms-gothic.conf
if [ ! -f "$conf" ] || ! cmp -s "$here/resources/fontconfig/65-kvmanager-ms-gothic.conf" "$conf"; then
    if [ -w /etc/fonts/conf.d ]; then
        cp "$here/resources/fontconfig/65-kvmanager-ms-gothic.conf" "$conf"
        fc-cache -f >/dev/null 2>&1 || true
    fi
fi

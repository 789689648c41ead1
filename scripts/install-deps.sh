#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, and only those that are missing,
# so that a second call costs a few dpkg queries.
#   scripts/install-deps.sh              what building and testing need
#   scripts/install-deps.sh screenshot   also what ./run --screenshot needs (Xvfb, ImageMagick)
#   scripts/install-deps.sh coverage     also gcovr, for the line coverage of the tests
set -euo pipefail

packages=(
    cmake g++ ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev libxkbcommon-dev
    qt6-declarative-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
    libqscintilla2-qt6-dev libzip-dev zlib1g-dev libsqlite3-dev libcurl4-openssl-dev libxml2-dev
    tango-icon-theme fonts-dejavu-core
    zip unzip python3 python3-pyftpdlib python3-openssl openssl
)
for group in "$@"; do
    case "$group" in
        screenshot) packages+=(xvfb xauth imagemagick) ;;
        coverage) packages+=(gcovr) ;;
        *) echo "usage: $0 [screenshot] [coverage]" >&2; exit 2 ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing Debian packages: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"

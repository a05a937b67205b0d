#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Orvina need,
# asking apt only for those that are missing.
set -euo pipefail

# qt6-svg-dev: orvina-cli writes .svg pictures; desktop-file-utils, appstream
# and man-db: the install test validates the menu entry and the metainfo and
# renders the manual pages.
packages=(make cmake ninja-build g++ pkg-config libgtest-dev libbenchmark-dev
          qt6-base-dev qt6-svg-dev libx11-dev fonts-dejavu-core xvfb xauth
          desktop-file-utils appstream man-db "$@")

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo=sudo
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

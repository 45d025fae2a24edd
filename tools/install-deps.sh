#!/usr/bin/env bash
# Installs, from Debian 12's packages, what building and running the editor need; with --tests also
# what the tests, the benchmarks and the package check need (servers the tests start themselves).
# Run as root, or as a user who may use sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6
  libcurl4-openssl-dev libssl-dev openssl
  fonts-noto-cjk fonts-arphic-uming fonts-arphic-ukai fonts-liberation2 qt6-translations-l10n
  nginx-light
  xvfb xauth
)
if [ "${1:-}" = "--tests" ]; then
  packages+=(
    vsftpd
    xdotool x11-utils imagemagick
    libxcb1-dev libxcb-damage0-dev libxcb-xtest0-dev
    desktop-file-utils
    curl aria2
    debootstrap iproute2
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

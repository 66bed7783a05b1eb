#!/usr/bin/env bash
# Installs the Debian packages needed to build and test quill and Veldra.
# Idempotent: prints nothing and changes nothing when every package is present.
set -euo pipefail

packages=(
  build-essential cmake
  libgtest-dev
  libboost-dev
  libsuitesparse-dev
  liblapack-dev
  qtbase5-dev libqcustomplot-dev libqt5svg5-dev
  libopm-common-dev libboost-test-dev
  clang libclang-rt-14-dev
  xvfb
  python3
  slurm-wlm munge
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

#!/usr/bin/env bash
# Installs what building and testing TuiKit needs on Debian 12 (only what is
# missing, so a prepared machine is not touched).
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config clang llvm
          libgtest-dev libgmock-dev libbenchmark-dev libvterm-dev tmux
          libgmime-3.0-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

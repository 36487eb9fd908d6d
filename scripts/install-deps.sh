#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the editor need.
# Quiet when everything is present already.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache
  qt6-base-dev libqt6opengl6-dev qt6-translations-l10n
  libglu1-mesa-dev libegl-dev libegl1-mesa-dev libgl1-mesa-dri
  libjpeg62-turbo-dev
  libgtest-dev libbenchmark-dev libtinyobjloader-dev libtinygltf-dev assimp-utils
  desktop-file-utils appstream shared-mime-info dpkg-dev file lintian bash-completion groff-base
  xvfb xauth xdotool fonts-liberation locales
)
# Callers that need more (the sanitizer and fuzz builds want clang) name it.
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

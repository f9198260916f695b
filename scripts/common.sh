# Shared by scripts/run and scripts/test: install what is missing, then configure and build.
# Every package here is listed with its reason in the README.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${DALVIRA_BUILD_DIR:-$ROOT/build}

DALVIRA_PACKAGES=(cmake ninja-build g++ pkgconf ccache
  qt6-base-dev libqt6sql6-sqlite qt6-translations-l10n libsqlite3-dev
  libxlsxwriter-dev libquazip1-qt6-dev libfreexl-dev
  fonts-dejavu-core xdg-utils unzip zip)
DALVIRA_TEST_PACKAGES=(xvfb xauth poppler-utils imagemagick libreoffice-calc-nogui)

install_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Kuruluyor: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_all() {
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$BUILD_DIR"
}

#!/usr/bin/env bash
# The Debian packages that building, testing and running CkwCommonUtil need. Used by the README
# and by CI alike; run as root (or through sudo).
set -euo pipefail
packages=(
  build-essential cmake pkg-config ninja-build
  libsqlite3-dev sqlite3
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev
  gfortran
  qt6-base-dev qt6-svg-dev fonts-wqy-zenhei
  qt6-l10n-tools  # lrelease: the window's Chinese translation
  poppler-utils
  libdxflib-dev nlohmann-json3-dev python3-ezdxf
  librecad  # a peer CAD program: the converter's tests print every DXF export with its dxf2pdf
  clang-format
  doxygen abigail-tools man-db  # the API reference, the ABI check, the manual pages' test
  debhelper lintian  # the Debian packages (scripts/package-check.sh)
  locales  # locale sources: tests build a comma-decimal locale from them
)
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The DWG reader of TdwgConv: Node.js (20 or later) and the npm package pinned by its lock file.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends nodejs npm
fi
(cd "$(dirname "$0")/../tools/tdwgconv/dwg" && npm ci --no-audit --no-fund --silent)

#!/usr/bin/env bash
# Installs the Debian packages that are missing, builds the program and lays out its
# folder (build/program): the executable, "agg.ini", the archive and the logo. An
# existing archive or agg.ini is never overwritten.
# Usage: scripts/setup.sh [BUILD_DIR] [extra cmake arguments...]
# VB_TARGETS: the targets to build (all by default); VB_EXTRA_PACKAGES: Debian packages a
# caller needs besides the program's (CI's second compiler).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
shift || true

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n libgl-dev
  libsqlcipher-dev sqlcipher
  libgtest-dev libbenchmark-dev
  poppler-utils fonts-dejavu-core
  libxlsxwriter-dev unzip locales
  ${VB_EXTRA_PACKAGES:-}
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi

type="${CMAKE_BUILD_TYPE:-RelWithDebInfo}"
# A new build folder uses Ninja, which finds a built tree up to date at once where make
# spends seconds; a folder configured before keeps its generator. A folder configured with
# this build type needs no second configuration either: the build re-runs it when a build
# file changed. Both keep a second run of the run command quick.
generator=(-G Ninja)
[ -f "$build/CMakeCache.txt" ] && generator=()
if [ $# -gt 0 ] || [ "${#missing[@]}" -gt 0 ] || { [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; } ||
   ! grep -qx "CMAKE_BUILD_TYPE:STRING=$type" "$build/CMakeCache.txt" 2>/dev/null; then
  cmake "${generator[@]}" -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="$type" "$@"
fi
cmake --build "$build" -j"$(nproc)" ${VB_TARGETS:+--target $VB_TARGETS}
"$build/app/vellumbra-newdb" --setup "$build/program"

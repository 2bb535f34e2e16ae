#!/usr/bin/env bash
# Installs the Debian packages a task needs, only those that are missing.
# Usage: scripts/ensure-packages.sh build|test|demo|fuzz|lint
set -euo pipefail

build_pkgs=(cmake ninja-build g++ pkg-config zlib1g-dev libbrotli-dev libgtest-dev libgmock-dev libbenchmark-dev
            nlohmann-json3-dev libsimdjson-dev libcpp-httplib-dev libboost-dev libcli11-dev libsqlite3-dev sqlite3 libpq-dev libssl-dev
            qt6-base-dev libgl-dev libsodium-dev qt6-translations-l10n)
case "${1:-build}" in
  build) wanted=("${build_pkgs[@]}") ;;
  test)  wanted=("${build_pkgs[@]}" postgresql nginx openssl ca-certificates fonts-dejavu-core fonts-dejavu-extra poppler-utils clang-14 libclang-rt-14-dev) ;;
  demo)  wanted=("${build_pkgs[@]}" fonts-dejavu-core fonts-dejavu-extra xvfb xauth) ;;
  fuzz)  wanted=("${build_pkgs[@]}" clang-14 libclang-rt-14-dev) ;;
  lint)  wanted=("${build_pkgs[@]}" clang-tidy-14) ;;
  *) echo "usage: $0 build|test|demo|fuzz|lint" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

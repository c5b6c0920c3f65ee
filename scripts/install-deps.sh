#!/usr/bin/env bash
# Installs the Debian packages the program and its tests need; does nothing when all are present.
# Usage: scripts/install-deps.sh [--tests]
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libsqlcipher-dev libjpeg62-turbo-dev libldap-dev
  fonts-dejavu-core
)
if [[ "${1:-}" == "--tests" ]]; then
  packages+=(
    libgtest-dev libgmock-dev libbenchmark-dev
    slapd ldap-utils python3-aiosmtpd openssl poppler-utils clang-format clang
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

export DEBIAN_FRONTEND=noninteractive
# The package lists are refreshed only when a package cannot be found in them.
if ! apt-get install -y -q --no-install-recommends "${missing[@]}"; then
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs what the program needs, builds it and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh --no-tests
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found: starting the program on a virtual X server (Xvfb)."
  dpkg-query -W -f='${Status}' xvfb 2>/dev/null | grep -q 'install ok installed' ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends xvfb xauth
  exec xvfb-run -a build/src/app/tavorin "$@"
fi
exec build/src/app/tavorin "$@"

#!/usr/bin/env bash
# Installs what the program needs, builds it and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh --no-tests
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found: the program runs on an invisible virtual X server (Xvfb), so nothing can be seen."
  dpkg-query -W -f='${Status}' xvfb 2>/dev/null | grep -q 'install ok installed' ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends xvfb xauth
  # With arguments (--version, a database) the program runs on the invisible screen as asked.
  [[ $# -gt 0 ]] && exec xvfb-run -a build/src/app/tavorin "$@"
  # Without, it opens a small sample database, made once in the user's data folder and never replaced.
  folder="${XDG_DATA_HOME:-$HOME/.local/share}/tavorin"
  sample="$folder/sample.tvd"
  mkdir -p "$folder"
  if [[ ! -e "$sample" ]]; then
    build/tools/sampledb/sampledb "$sample" >/dev/null
    echo "Made the sample database $sample."
  fi
  set -- "$sample"
  shot="$(mktemp -d)/tavorin-main-window.png"
  echo "Starting the program on $1; it saves a picture of its main window and ends."
  # Qt's notes about the invisible screen go to a log, not among these lines.
  log="$(dirname "$shot")/tavorin.log"
  TAVORIN_SCREENSHOT="$shot" xvfb-run -a -s "-screen 0 1024x768x24" build/src/app/tavorin "$@" >/dev/null 2>"$log"
  if [[ -s "$shot" ]]; then
    echo "The main window as it was shown: $shot"
  else
    echo "The program ended before its main window could be pictured; its messages are in $log."
    exit 1
  fi
  exit 0
fi
exec build/src/app/tavorin "$@"

#!/usr/bin/env bash
# Builds the Windows programs if needed and starts one under Wine in a desktop window.
#   tools/run.sh capture|playback [file]
# With a display the program runs there until it is closed. Without one it runs on Xvfb for a
# while, and a screenshot is written to a path that is printed. The prefix has the synthetic camera
# as its video device (ZUNA_CAMERA=none: no camera).
set -euo pipefail
source "$(dirname "$0")/wine_env.sh"
bash "$zuna_root/tools/setup.sh" || { echo "could not install what is missing (tools/setup.sh)" >&2; exit 1; }
caller_dir="$PWD"
cd "$zuna_root"

case "${1:-}" in
  capture) program=ZUNA_Capture.exe ;;
  playback) program=ZUNA_Playback.exe ;;
  *) echo "usage: tools/run.sh capture|playback [file]" >&2; exit 2 ;;
esac
shift
args=("$@")

if [ ! -f build/windows-cross-release/stage/$program ] || [ -n "$(find src resources -newer build/windows-cross-release/stage/$program -print -quit)" ]; then
  echo "run: building $program"
  cmake --preset windows-cross-release >/dev/null
  cmake --build --preset windows-cross-release -j "$(nproc)" --target "${program%.exe}" >/dev/null
fi

# The programs keep their folders beside themselves: run from a folder of the user's.
home_dir="${ZUNA_HOME:-$HOME/ZUNA Video}"
mkdir -p "$home_dir"
cp -r build/windows-cross-release/stage/. "$home_dir/"
zuna_wine_prefix_new "${ZUNA_WINEPREFIX:-$HOME/.local/share/zuna-video/wine}"
zuna_synthetic_camera_register build/windows-cross-release
# A file named after the program is opened by it; the program runs elsewhere, so it gets its
# Windows path.
for i in "${!args[@]}"; do
  named="${args[$i]}"
  [ "${named:0:1}" = / ] || named="$caller_dir/$named"
  if [ -e "$named" ]; then args[$i]="$(winepath -w "$(realpath "$named")" 2>/dev/null)"; fi
done

headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then headless=1; fi
zuna_display_start
trap 'zuna_display_stop' EXIT

cd "$home_dir"
if [ $headless -eq 0 ]; then
  exec wine explorer /desktop=ZUNA,1600x900 "$program" "${args[@]}"
fi

wine explorer /desktop=ZUNA,1600x900 "$program" "${args[@]}" >/dev/null 2>&1 &
sleep "${ZUNA_SCREENSHOT_AFTER:-12}"
shot="${ZUNA_SCREENSHOT:-/tmp/zuna-${program%.exe}.png}"
import -display "$DISPLAY" -window root "$shot"
echo "run: no display; the program ran on Xvfb. Screenshot: $shot"
wineserver -k >/dev/null 2>&1 || true

# Shared by the scripts that run the Windows programs: a Wine prefix and a display.
# Source it; it defines zuna_wine_prefix_new, zuna_synthetic_camera_register, zuna_display_start,
# zuna_display_stop.

zuna_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# A throwaway prefix under the given folder, initialised once.
zuna_wine_prefix_new() {
  export WINEPREFIX="$1"
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
}

# Registers synthetic camera 1 of the given build folder (an NTSC frame grabber showing a star field)
# in the current prefix, building it when needed, so that the capture program has a device here.
# ZUNA_CAMERA=none leaves the prefix without a camera; ZUNA_CAMERA_SETTINGS adds settings of
# synthetic_camera_setup (for instance "--event 30 --event-length 4" for a star that vanishes).
zuna_synthetic_camera_register() {
  local build="$1"
  [ "${ZUNA_CAMERA:-synthetic}" = none ] && return 0
  local setup="$build/fixtures/synthetic_camera_setup.exe"
  if [ ! -f "$setup" ] || [ ! -f "$build/fixtures/zuna_synthetic_camera.dll" ]; then
    cmake --build "$build" --target zuna_synthetic_camera synthetic_camera_setup >/dev/null || return 1
  fi
  # shellcheck disable=SC2086
  wine "$setup" register --camera 1 --clear --standard NTSC_M ${ZUNA_CAMERA_SETTINGS:-} >/dev/null 2>&1 ||
    echo "could not register the synthetic camera" >&2
}

zuna_xvfb_pid=""
# Uses the user's display when there is one, else starts Xvfb on a free display number.
zuna_display_start() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
      Xvfb ":${n}" -screen 0 1600x900x24 -nolisten tcp >/dev/null 2>&1 &
      zuna_xvfb_pid=$!
      export DISPLAY=":${n}"
      for _ in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
      done
    fi
  done
  echo "no display could be started" >&2
  return 1
}

zuna_display_stop() {
  if [ -n "$zuna_xvfb_pid" ]; then kill "$zuna_xvfb_pid" 2>/dev/null || true; fi
}

# Shared by the scripts that run the Windows programs: a Wine prefix and a display.
# Source it; it defines zuna_wine_prefix_new, zuna_display_start, zuna_display_stop.

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

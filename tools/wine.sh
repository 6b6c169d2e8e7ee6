#!/usr/bin/env bash
# Runs a built Windows program of the project under Wine, in a fresh prefix, on Xvfb when there is
# no display, with the synthetic camera as video device (ZUNA_CAMERA=none: none).
# Usage: tools/wine.sh PROGRAM [ARGS...]   (PROGRAM: a path, or a name in the stage folder)
set -euo pipefail
source "$(dirname "$0")/wine_env.sh"
[ $# -ge 1 ] || { echo "usage: tools/wine.sh PROGRAM [ARGS...]" >&2; exit 2; }
program="$1"; shift
if [ ! -f "$program" ]; then program="$zuna_root/build/windows-cross/stage/$program"; fi
scratch="$(mktemp -d /tmp/zuna-wine.XXXXXX)"
trap 'wineserver -k >/dev/null 2>&1 || true; zuna_display_stop; rm -rf "$scratch"' EXIT
zuna_wine_prefix_new "$scratch/prefix"
zuna_synthetic_camera_register "$zuna_root/build/windows-cross"
zuna_display_start
cd "$(dirname "$program")"
set +e
wine "$program" "$@"
code=$?
set -e
wineserver -w || true
exit $code

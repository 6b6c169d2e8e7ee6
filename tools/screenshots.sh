#!/usr/bin/env bash
# Takes the user guide's screenshots again (docs/images/*.png) from the programs under Wine.
#   tools/screenshots.sh [DPI]
# The programs are driven by tools/screenshots.scn through tests/win/ui_driver.exe; each time the
# scenario asks for a picture (it writes SHOTS/NAME.request and waits for SHOTS/NAME.png), the
# Wine desktop is photographed and cut to the windows on it, or to the region of the desktop that
# the request holds (WIDTHxHEIGHT+LEFT+TOP). DPI 96 (the default) writes
# docs/images; another DPI (144 is 150 % scaling) writes /tmp/zuna-screenshots-DPI, to check how
# every window lays out at that scaling.
set -euo pipefail
source "$(dirname "$0")/wine_env.sh"
cd "$zuna_root"
bash tools/setup.sh >/dev/null

dpi="${1:-96}"
out="$zuna_root/docs/images"
[ "$dpi" = 96 ] || out="/tmp/zuna-screenshots-$dpi"
mkdir -p "$out"
build=build/windows-cross
echo "screenshots: building"
cmake --preset windows-cross >/dev/null
cmake --build --preset windows-cross -j "$(nproc)" --target ZUNA_Capture ZUNA_Playback ui_driver \
  zuna_synthetic_camera synthetic_camera_setup >/dev/null
cmake --preset native >/dev/null
cmake --build --preset native --target gps_feeder >/dev/null

scratch="$(mktemp -d /tmp/zuna-screenshots.XXXXXX)"
cleanup() {
  if [ -n "${driver_pid:-}" ]; then kill "$driver_pid" 2>/dev/null || true; fi
  if [ -n "${feeder_pid:-}" ]; then kill "$feeder_pid" 2>/dev/null || true; fi
  wineserver -k >/dev/null 2>&1 || true
  zuna_display_stop
  rm -rf "$scratch"
}
trap cleanup EXIT
home="$scratch/ZUNA Video"
shots="$scratch/shots"
mkdir -p "$home" "$shots"
cp -r "$build/stage/." "$home/"
cp tools/screenshots.scn "$home/screenshots.scn"

# Always a display of our own, so that the pictures do not depend on the user's screen.
unset DISPLAY
zuna_display_start
zuna_wine_prefix_new "$scratch/prefix"
# Every program of the prefix in one desktop window with frames, at the chosen resolution.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1600x900 /f >/dev/null 2>&1
wineserver -w
# The camera's target fades away nine seconds into each stream, over a slowly drifting, slightly noisy
# field, and every 120th frame never arrives: the recording the playback pictures show.
ZUNA_CAMERA_SETTINGS="${ZUNA_CAMERA_SETTINGS:---event 9 --event-length 2.5 --noise 2 --drift 0.3 --drop-every 120}" \
  zuna_synthetic_camera_register "$build"

# A GPS receiver on COM3: a pseudo-terminal sending "$GPGGA" sentences.
build/native/tests/unit/gps_feeder --link "$WINEPREFIX/dosdevices/com3" >/dev/null 2>&1 &
feeder_pid=$!

cd "$home"
wine "$zuna_root/$build/tests/win/ui_driver.exe" SHOTS="$(winepath -w "$shots")" screenshots.scn \
  >"$scratch/driver.log" 2>&1 &
driver_pid=$!
while kill -0 "$driver_pid" 2>/dev/null; do
  for request in "$shots"/*.request; do
    [ -e "$request" ] || continue
    name="$(basename "$request" .request)"
    sleep 1  # the last paint
    import -display "$DISPLAY" -window root "$scratch/desktop.png"
    # A request may name the region to keep (WIDTHxHEIGHT+LEFT+TOP, at 96 dpi); the rest is cut away.
    region="$(tr -d '\r\n' <"$request")"
    crop=()
    [ -n "$region" ] && [ "$dpi" = 96 ] && crop=(-crop "$region" +repage)
    convert "$scratch/desktop.png" "${crop[@]}" -trim +repage "$scratch/$name.png"
    rm -f "$request"
    mv "$scratch/$name.png" "$shots/$name.png"
    cp "$shots/$name.png" "$out/$name.png"
    echo "screenshots: $out/$name.png"
  done
  sleep 0.2
done
wait "$driver_pid" || { cat "$scratch/driver.log"; echo "screenshots: the scenario failed" >&2; exit 1; }

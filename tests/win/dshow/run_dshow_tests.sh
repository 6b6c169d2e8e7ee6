#!/usr/bin/env bash
# The DirectShow filter test under Wine: registers the two synthetic cameras in the current prefix
# (camera 1 NTSC_M, camera 2 SECAM_B), checks that the system device enumerator lists them with their
# standards, then runs dshow_filters_test.exe, dshow_media_graph_test.exe and
# dshow_window_renderer_test.exe (which draws into a window of its own). Last, it registers the
# "Color Control" video effect, runs dshow_color_control_test.exe and unregisters the effect again.
# WINEPREFIX (an initialised prefix) and DISPLAY come from the caller; the cameras stay registered for
# the scenarios that follow, the effect does not.
#
#   tests/win/dshow/run_dshow_tests.sh BUILD_DIR      e.g. build/windows-cross
set -euo pipefail
build="$(cd "${1:?usage: run_dshow_tests.sh BUILD_DIR}" && pwd)"
setup="$build/fixtures/synthetic_camera_setup.exe"
test_exe="$build/tests/win/dshow_filters_test.exe"
graph_exe="$build/tests/win/dshow_media_graph_test.exe"
effect_setup="$build/fixtures/color_control_setup.exe"
effect_exe="$build/tests/win/dshow_color_control_test.exe"
renderer_exe="$build/tests/win/dshow_window_renderer_test.exe"
for file in "$setup" "$build/fixtures/zuna_synthetic_camera.dll" "$test_exe" "$graph_exe" "$effect_setup" \
  "$build/fixtures/zuna_color_control.dll" "$effect_exe" "$renderer_exe"; do
  [ -f "$file" ] || { echo "run_dshow_tests: missing $file" >&2; exit 1; }
done

timeout 120 wine "$setup" register --camera 1 --clear --standard NTSC_M
timeout 120 wine "$setup" register --camera 2 --clear --standard SECAM_B
devices="$(timeout 120 wine "$setup" list | tr -d '\r')"
echo "$devices"
grep -qx "ZUNA Synthetic Camera -- NTSC_M" <<<"$devices" || { echo "run_dshow_tests: camera 1 not listed" >&2; exit 1; }
grep -qx "ZUNA Synthetic Camera 2 -- SECAM_B" <<<"$devices" || { echo "run_dshow_tests: camera 2 not listed" >&2; exit 1; }

timeout 300 wine "$test_exe" "$(winepath -w "$build/fixtures/zuna_synthetic_camera.dll")"
# The media graph, the device catalog and the codec catalog, with the cameras registered above.
timeout 300 wine "$graph_exe"
# The project's window renderer, fed by the synthetic camera (loaded from its DLL) and the AVI source.
timeout 300 wine "$renderer_exe" "$(winepath -w "$build/fixtures/zuna_synthetic_camera.dll")"

# The display chain's brightness/contrast effect, registered for its own test only: the media graph
# test above expects a prefix without it.
timeout 120 wine "$effect_setup" register
effects="$(timeout 120 wine "$effect_setup" list | tr -d '\r')"
grep -qx "Color Control" <<<"$effects" || { echo "run_dshow_tests: Color Control not listed" >&2; exit 1; }
set +e
timeout 300 wine "$effect_exe" "$(winepath -w "$build/fixtures/zuna_synthetic_camera.dll")"
effect_status=$?
set -e
timeout 120 wine "$effect_setup" unregister
if timeout 120 wine "$effect_setup" list | tr -d '\r' | grep -qx "Color Control"; then
  echo "run_dshow_tests: Color Control still listed after unregister" >&2
  exit 1
fi
exit "$effect_status"

#!/usr/bin/env bash
# The DirectShow filter test under Wine: registers the two synthetic cameras in the current prefix
# (camera 1 NTSC_M, camera 2 SECAM_B), checks that the system device enumerator lists them with their
# standards, then runs dshow_filters_test.exe and dshow_media_graph_test.exe. WINEPREFIX (an initialised prefix) and DISPLAY come
# from the caller; the cameras stay registered for the scenarios that follow.
#
#   tests/win/run_dshow_tests.sh BUILD_DIR      e.g. build/windows-cross
set -euo pipefail
build="$(cd "${1:?usage: run_dshow_tests.sh BUILD_DIR}" && pwd)"
setup="$build/fixtures/synthetic_camera_setup.exe"
test_exe="$build/tests/win/dshow_filters_test.exe"
graph_exe="$build/tests/win/dshow_media_graph_test.exe"
for file in "$setup" "$build/fixtures/zuna_synthetic_camera.dll" "$test_exe" "$graph_exe"; do
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

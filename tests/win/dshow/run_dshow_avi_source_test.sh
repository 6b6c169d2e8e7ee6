#!/usr/bin/env bash
# The AVI source filter test under Wine: runs dshow_avi_source_test.exe, which writes its own test
# files in the Windows temporary folder. WINEPREFIX (an initialised prefix) and DISPLAY come from the
# caller; nothing needs registering.
#
#   tests/win/dshow/run_dshow_avi_source_test.sh BUILD_DIR      e.g. build/windows-cross
set -euo pipefail
build="$(cd "${1:?usage: run_dshow_avi_source_test.sh BUILD_DIR}" && pwd)"
test_exe="$build/tests/win/dshow_avi_source_test.exe"
[ -f "$test_exe" ] || { echo "run_dshow_avi_source_test: missing $test_exe" >&2; exit 1; }
timeout 300 wine "$test_exe"

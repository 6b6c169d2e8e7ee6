#!/usr/bin/env bash
# Builds and runs every test: native unit tests, short fuzz runs, the Windows cross build and the
# Wine scenarios. Exits non-zero on any failure; the last line sums up.
set -uo pipefail
source "$(dirname "$0")/wine_env.sh"
bash "$zuna_root/tools/setup.sh" || { echo "could not install what is missing (tools/setup.sh)" >&2; exit 1; }
cd "$zuna_root"

jobs="$(nproc)"
passed=0
failed=0
failures=()

step() { echo; echo "==== $*"; }
# ZUNA_TEST_PARTS (default "native fuzz clang package wine") runs only the named parts; ZUNA_SCENARIOS
# (scenario names without .scn) runs only those Wine scenarios. Both are for development runs.
# ZUNA_SKIP_DSHOW=1 skips the DirectShow filter tests before the scenarios.
parts=" ${ZUNA_TEST_PARTS:-native fuzz clang package wine} "
wants() { [[ "$parts" == *" $1 "* ]]; }
fail() { failed=$((failed + 1)); failures+=("$1"); echo "FAILED: $1"; }

# --- Native build and unit tests -------------------------------------------------------------------
if ! wants native; then :
elif step "native build"; cmake --preset native >/tmp/zuna-native-configure.log 2>&1 && cmake --build --preset native -j "$jobs"; then
  step "unit tests"
  ctest_log="$(mktemp)"
  ctest --preset native -j "$jobs" 2>&1 | tee "$ctest_log" | grep -vE '^\s+(Start|[0-9]+/[0-9]+ Test)' || true
  summary="$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$ctest_log" | tail -n 1)"
  if [ -n "$summary" ]; then
    total="$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")"
    bad="$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$summary")"
    passed=$((passed + total - bad))
    [ "$bad" -eq 0 ] || fail "unit tests ($bad)"
    failed=$((failed + (bad > 0 ? bad - 1 : 0)))
  else
    fail "unit tests did not run"
  fi
  rm -f "$ctest_log"
else
  cat /tmp/zuna-native-configure.log
  fail "native build"
fi

# --- Fuzz targets, a few seconds each on their seed corpus ------------------------------------------
if ! wants fuzz; then :
elif command -v clang++ >/dev/null && echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long){return 0;}' |
    clang++ -x c++ -fsanitize=fuzzer - -o /tmp/zuna-fuzz-probe 2>/dev/null; then
  step "fuzz build"
  if cmake --preset fuzz >/tmp/zuna-fuzz-configure.log 2>&1 && cmake --build --preset fuzz -j "$jobs"; then
    while read -r name; do
      [ -n "$name" ] || continue
      target="build/fuzz/fuzz/$name"
      work="$(mktemp -d)"
      for corpus in "fuzz/corpus/$name" "fuzz/corpus/${name%_fuzz}"; do
        [ -d "$corpus" ] && cp -r "$corpus/." "$work/"
      done
      if "$target" -max_total_time=5 -rss_limit_mb=2048 "$work" </dev/null >"/tmp/zuna-$name.log" 2>&1; then
        passed=$((passed + 1)); echo "fuzz $name: ok"
      else
        tail -n 30 "/tmp/zuna-$name.log"; fail "fuzz $name"
      fi
      rm -rf "$work"
    done <build/fuzz/fuzz_targets.txt
  else
    cat /tmp/zuna-fuzz-configure.log; fail "fuzz build"
  fi
else
  echo "fuzz: clang with libFuzzer not available, skipped"
fi

# --- The Windows side through a second compiler: clang for the MinGW-w64 target, checks only ---------------
if ! wants clang; then :
elif step "windows clang check"; cmake --preset windows-cross >/tmp/zuna-cross-configure.log 2>&1; then
  python3 tools/clang_mingw_check.py build/windows-cross "$jobs" >/tmp/zuna-clang-mingw.log 2>&1
  grep -v '^clang-mingw: ' /tmp/zuna-clang-mingw.log | head -n 200
  summary="$(grep -E '^clang-mingw: [0-9]+ passed .*, [0-9]+ failed' /tmp/zuna-clang-mingw.log | tail -n 1)"
  if [ -n "$summary" ]; then
    echo "$summary"
    # One step of the run, however many files it checked.
    bad="$(sed -E 's/.*, ([0-9]+) failed$/\1/' <<<"$summary")"
    if [ "$bad" -eq 0 ]; then passed=$((passed + 1)); else fail "clang-mingw ($bad files)"; fi
  else
    tail -n 30 /tmp/zuna-clang-mingw.log; fail "clang-mingw did not run"
  fi
else
  cat /tmp/zuna-cross-configure.log
  fail "windows clang check"
fi

# --- Windows package: the release build and its zip (unpacked by the scenarios that need it) ------------
package_zip=""
if ! wants package; then :
elif step "windows package"; tools/package.sh >/tmp/zuna-package.log 2>&1; then
  package_zip="$zuna_root/$(tail -n 1 /tmp/zuna-package.log)"
  grep '^package: ' /tmp/zuna-package.log
  passed=$((passed + 1))
else
  tail -n 30 /tmp/zuna-package.log
  fail "windows package"
fi

# --- Windows cross build and Wine scenarios -----------------------------------------------------------
if ! wants wine; then :
elif step "windows cross build"; cmake --preset windows-cross >/tmp/zuna-cross-configure.log 2>&1 && cmake --build --preset windows-cross -j "$jobs"; then
  step "wine scenarios"
  scratch="$(mktemp -d /tmp/zuna-test.XXXXXX)"
  zuna_display_start
  stage="build/windows-cross/stage"
  # The DirectShow filters, the AVI source and playback control in real graphs, with the synthetic
  # cameras registered in a prefix of their own (the scenarios below start with no camera).
  echo "-- DirectShow filters"
  if [ -n "${ZUNA_SKIP_DSHOW:-}" ]; then
    echo "DirectShow filters: skipped (ZUNA_SKIP_DSHOW)"
  elif (zuna_wine_prefix_new "$scratch/dshow-prefix" && tests/win/dshow/run_dshow_tests.sh build/windows-cross &&
      tests/win/dshow/run_dshow_avi_source_test.sh build/windows-cross &&
      timeout 300 wine build/windows-cross/tests/win/dshow_playback_test.exe); then
    passed=$((passed + 1))
  else
    fail "DirectShow filters"
  fi
  WINEPREFIX=$scratch/dshow-prefix wineserver -k >/dev/null 2>&1 || true
  zuna_wine_prefix_new "$scratch/prefix"
  for scenario in tests/win/scenarios/*.scn; do
    name="$(basename "$scenario" .scn)"
    if [ -n "${ZUNA_SCENARIOS:-}" ] && [[ " $ZUNA_SCENARIOS " != *" $name "* ]]; then continue; fi
    dir="$scratch/$name/ZUNA Video"
    mkdir -p "$dir"
    cp -r "$stage/." "$dir/"
    cp "$scenario" "$dir/scenario.scn"
    cp -r tests/win/scenarios/expected "$dir/expected"
    echo "-- scenario $name"
    helper_pid=""
    # "# needs: event_utc SECONDS LENGTH": EVENT_UTC, that many seconds from now (hh:mm:ss.fff), and
    # EVENT_END_UTC, LENGTH seconds after it, for the scenario and its camera settings ("${EVENT_UTC}").
    unset EVENT_UTC EVENT_END_UTC
    event="$(sed -nE 's/^# needs: event_utc ([0-9.]+) ([0-9.]+)$/\1 \2/p' "$scenario" | head -n 1)"
    if [ -n "$event" ]; then
      read -r event_in event_length <<<"$event"
      now="$(date -u +%s.%N)"
      at() { date -u -d "@$(awk -v now="$now" -v later="$1" 'BEGIN { printf "%.3f", now + later }')" +%H:%M:%S.%3N; }
      EVENT_UTC="$(at "$event_in")"
      EVENT_END_UTC="$(at "$(awk -v a="$event_in" -v b="$event_length" 'BEGIN { print a + b }')")"
      export EVENT_UTC EVENT_END_UTC
    fi
    # "# needs: small_disk MB": the default video folder ("VideoFiles" beside the program) on a disk
    # of that many MB, a tmpfs, so that recordings meet a full disk. Where mounting is not allowed the
    # scenario is skipped, said so.
    small_disk=""
    small_mb="$(sed -nE 's/^# needs: small_disk ([0-9]+)$/\1/p' "$scenario" | head -n 1)"
    if [ -n "$small_mb" ]; then
      small_disk="$dir/VideoFiles"
      mkdir -p "$small_disk"
      if ! mount -t tmpfs -o "size=${small_mb}m" zuna-small-disk "$small_disk" 2>/dev/null &&
        ! sudo -n mount -t tmpfs -o "size=${small_mb}m" zuna-small-disk "$small_disk" 2>/dev/null; then
        echo "scenario $name: skipped, a ${small_mb} MB disk cannot be mounted here"
        continue
      fi
    fi
    # "# needs: synthetic_cameras": camera 1 (NTSC_M) and camera 2 (SECAM_B) registered for this
    # scenario only, so that the others see no device whatever the order. Settings of
    # synthetic_camera_setup after it are camera 1's ("# needs: synthetic_cameras --drop-every 50");
    # "# needs: synthetic_camera2 SETTINGS" replaces camera 2's ("--standard NTSC_M": a usable one).
    cameras=""
    if grep -q '^# needs: synthetic_cameras' "$scenario"; then
      cameras="build/windows-cross/fixtures/synthetic_camera_setup.exe"
      camera_settings="$(sed -nE 's/^# needs: synthetic_cameras(.*)$/\1/p' "$scenario" | head -n 1)"
      camera_settings="${camera_settings//\$\{EVENT_UTC\}/${EVENT_UTC:-}}"
      camera2_settings="$(sed -nE 's/^# needs: synthetic_camera2 (.*)$/\1/p' "$scenario" | head -n 1)"
      # shellcheck disable=SC2086
      timeout 120 wine "$cameras" register --camera 1 --clear --standard NTSC_M $camera_settings >/dev/null 2>&1 &&
        timeout 120 wine "$cameras" register --camera 2 --clear ${camera2_settings:---standard SECAM_B} >/dev/null 2>&1 ||
        echo "could not register the synthetic cameras"
    fi
    # "# needs: color_control": the "Color Control" video effect registered for this scenario only,
    # so that the others keep a prefix without brightness/contrast.
    effect=""
    if grep -q '^# needs: color_control' "$scenario"; then
      effect="build/windows-cross/fixtures/color_control_setup.exe"
      timeout 120 wine "$effect" register >/dev/null 2>&1 || echo "could not register the Color Control effect"
    fi
    # "# needs: test_codec": the test video compressor ("ZTST") installed for this scenario only,
    # so that the others keep a prefix with no codec.
    codec=""
    if grep -q '^# needs: test_codec' "$scenario"; then
      codec="build/windows-cross/fixtures/test_codec_setup.exe"
      timeout 120 wine "$codec" register >/dev/null 2>&1 || echo "could not install the test codec"
    fi
    # '# needs: package "FOLDER"': the package unpacked into FOLDER, beside the scenario.
    package_folder="$(sed -nE 's/^# needs: package "(.+)"$/\1/p' "$scenario")"
    if [ -n "$package_folder" ]; then
      mkdir -p "$dir/$package_folder"
      [ -n "$package_zip" ] && unzip -q "$package_zip" -d "$dir/$package_folder" || echo "could not unpack the package"
    fi
    # "# needs: format_media": the scenario's AVI files in other writers' formats, written by ffmpeg.
    if grep -q '^# needs: format_media' "$scenario"; then
      tests/win/scenarios/playback_formats_media.sh "$dir" || echo "could not write the format files"
    fi
    # "# needs: gps_feeder": a fake receiver on COM3 of the prefix.
    if grep -q '^# needs: gps_feeder' "$scenario"; then
      feeder="$(find build/native -name gps_feeder -type f -perm -u+x | head -n 1)"
      "$feeder" --link "$WINEPREFIX/dosdevices/com3" >"$scratch/$name.feeder.log" 2>&1 &
      helper_pid=$!
    fi
    if (cd "$dir" && timeout 300 wine "$zuna_root/build/windows-cross/tests/win/ui_driver.exe" scenario.scn); then
      passed=$((passed + 1))
    else
      fail "scenario $name"
    fi
    [ -n "$helper_pid" ] && { kill "$helper_pid" 2>/dev/null; wait "$helper_pid" 2>/dev/null; }
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$small_disk" ] && { umount "$small_disk" 2>/dev/null || sudo -n umount "$small_disk" 2>/dev/null || true; }
    if [ -n "$cameras" ]; then
      timeout 120 wine "$cameras" unregister --camera 1 >/dev/null 2>&1 || true
      timeout 120 wine "$cameras" unregister --camera 2 >/dev/null 2>&1 || true
      wineserver -k >/dev/null 2>&1 || true
    fi
    if [ -n "$effect" ]; then
      timeout 120 wine "$effect" unregister >/dev/null 2>&1 || true
      wineserver -k >/dev/null 2>&1 || true
    fi
    if [ -n "$codec" ]; then
      timeout 120 wine "$codec" unregister >/dev/null 2>&1 || true
      wineserver -k >/dev/null 2>&1 || true
    fi
  done
  wineserver -k >/dev/null 2>&1 || true
  zuna_display_stop
  rm -rf "$scratch"
else
  cat /tmp/zuna-cross-configure.log
  fail "windows cross build"
fi

echo
if [ ${#failures[@]} -gt 0 ]; then echo "failures: ${failures[*]}"; fi
echo "${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ]

#!/usr/bin/env bash
# Builds the release programs and writes dist/ZUNA-Video-<version>-win64.zip: ZUNA_Capture.exe,
# ZUNA_Playback.exe, the ZunaVideoIcons folder beside them, the tools zuna-aviinfo.exe, zuna-events.exe
# and zuna-lightcurve.exe, the user guide (HTML, screenshots inside) and the licence. The programs need
# nothing else: the runtime is linked in, and they create their folders on first start.
#   tools/package.sh            prints the zip's path as its last line
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh >/dev/null || { echo "package: could not install what is missing (tools/setup.sh)" >&2; exit 1; }

version="$(sed -nE 's/^set\(ZUNA_VERSION_TEXT "([^"]+)"\)$/\1/p' CMakeLists.txt)"
[ -n "$version" ] || { echo "package: no ZUNA_VERSION_TEXT in CMakeLists.txt" >&2; exit 1; }
programs=(ZUNA_Capture ZUNA_Playback zuna-aviinfo zuna-events zuna-lightcurve)
stage=build/windows-cross-release/stage
zip_path="dist/ZUNA-Video-$version-win64.zip"

work="$(mktemp -d /tmp/zuna-package.XXXXXX)"
trap 'rm -rf "$work"' EXIT
echo "package: building the release programs"
if ! { cmake --preset windows-cross-release && cmake --build --preset windows-cross-release -j "$(nproc)" \
  --target "${programs[@]}"; } >"$work/build.log" 2>&1; then
  tail -n 40 "$work/build.log"
  echo "package: the release build failed" >&2
  exit 1
fi
root="$work/root"
mkdir -p "$root"
for program in "${programs[@]}"; do cp "$stage/$program.exe" "$root/"; done
cp -r resources/ZunaVideoIcons "$root/"

# Only the system's own DLLs may be imported: the package ships none.
system_dlls=(advapi32 comctl32 comdlg32 gdi32 kernel32 msdmo msftedit msvcrt ole32 oleaut32 powrprof shell32
  shlwapi user32 uxtheme version winmm ws2_32)
for exe in "$root"/*.exe; do
  while read -r dll; do
    [[ " ${system_dlls[*]} " == *" ${dll%.dll} "* || "$dll" == api-ms-win-* ]] && continue
    echo "package: $(basename "$exe") needs $dll, which Windows does not have" >&2
    exit 1
  done < <(x86_64-w64-mingw32-objdump -p "$exe" | sed -nE 's/^\s*DLL Name: (.*)$/\1/p' | tr 'A-Z' 'a-z')
done

# The user guide as one HTML page with its screenshots inside, the licence as Windows text.
{
  printf '<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
  printf '<title>ZUNA Video %s User Guide</title>\n<style>\n' "$version"
  printf 'body{font-family:Segoe UI,Tahoma,sans-serif;max-width:60em;margin:2em auto;padding:0 1em;line-height:1.45}\n'
  printf 'table{border-collapse:collapse}td,th{border:1px solid #bbb;padding:.25em .5em;vertical-align:top}\n'
  printf 'code,pre{font-family:Consolas,monospace;background:#f4f4f4}pre{padding:.5em;overflow-x:auto}img{max-width:100%%}\n'
  printf '</style>\n</head>\n<body>\n'
  # Headings get the anchors that the guide's links name (as GitHub makes them).
  cmark-gfm --extension table docs/USER_GUIDE.md |
    perl -pe 's{<h([1-3])>(.*?)</h\1>}{my ($n, $t) = ($1, $2); (my $id = lc $t) =~ s/<[^>]+>//g;
      $id =~ s/[^a-z0-9 _-]//g; $id =~ s/ /-/g; "<h$n id=\"$id\">$t</h$n>"}ge' |
    perl -pe 's{src="images/([\w.-]+\.png)"}{-f "docs/images/$1" ? "src=\"data:image/png;base64," . `base64 -w0 docs/images/$1` . "\"" : $&}ge'
  printf '</body>\n</html>\n'
} >"$root/User Guide.html"
grep -q 'src="images/' "$root/User Guide.html" && { echo "package: the user guide names a missing screenshot" >&2; exit 1; }
sed 's/$/\r/' LICENSE >"$root/LICENSE.txt"

# The same files give the same zip: one time stamp for all, taken from the last commit.
stamp="$(git log -1 --format=%ct 2>/dev/null || date +%s)"
find "$root" -exec touch -h -d "@$stamp" {} +
mkdir -p dist
rm -f "$zip_path"
(cd "$root" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort | zip -X -9 -q "$OLDPWD/$zip_path" -@)

for program in "${programs[@]}"; do
  printf 'package: %-18s %9d bytes\n' "$program.exe" "$(stat -c %s "$root/$program.exe")"
done
printf 'package: %s %d bytes\n' "$zip_path" "$(stat -c %s "$zip_path")"
echo "$zip_path"

#!/usr/bin/env bash
# Writes the files of playback_formats.scn into FOLDER/media with ffmpeg: two frames of 321 x 241
# (odd sides, padded rows; two files 320 x 240) in each uncompressed layout other capture programs write, the second frame
# the negative of the first so that a wrong frame cannot pass for the right one, and ffmpeg's own
# decoding of that second frame as the reference picture. Also an MJPEG file, a grey file whose
# second frame is a zero-length chunk (a frame the writer dropped), with its first frame's picture,
# and a palettized file with a palette change between its frames.
# usage: playback_formats_media.sh FOLDER
set -euo pipefail
media="$1/media"
mkdir -p "$media"
source="testsrc=size=321x241:rate=10,negate=enable='eq(n,1)'"

write() {  # name, ffmpeg output options...
  local name="$1"
  shift
  ffmpeg -loglevel error -y -f lavfi -i "$source" -frames:v 2 "$@" "$media/$name.avi"
}

write rgb24 -c:v rawvideo -pix_fmt bgr24
write rgb555 -c:v rawvideo -pix_fmt rgb555le
write pal8 -c:v rawvideo -pix_fmt pal8
write y800 -c:v rawvideo -pix_fmt gray
write uyvy -c:v rawvideo -pix_fmt uyvy422
write yvyu -c:v rawvideo -pix_fmt yvyu422
write i420 -c:v rawvideo -pix_fmt yuv420p
write yv12 -c:v rawvideo -pix_fmt yuv420p -vtag YV12
write nv12 -c:v rawvideo -pix_fmt nv12
write mjpg -c:v mjpeg -q:v 3
# An even width: YUV reaches the display as YUY2 rather than RGB32.
source="testsrc=size=320x240:rate=10,negate=enable='eq(n,1)'"
write i420even -c:v rawvideo -pix_fmt yuv420p
write uyvyeven -c:v rawvideo -pix_fmt uyvy422
source="testsrc=size=321x241:rate=10,negate=enable='eq(n,1)'"

# ffmpeg writes RGB rows top-down (a negative height); the bottom-up file stores the picture upside
# down with a positive height, which reads back upright.
ffmpeg -loglevel error -y -f lavfi -i "$source,vflip" -frames:v 2 -c:v rawvideo -pix_fmt bgr24 "$media/rgb24up.avi"
strf=$(grep -obUa strf "$media/rgb24up.avi" | head -n 1 | cut -d: -f1)
printf '\xf1\x00\x00\x00' | dd of="$media/rgb24up.avi" bs=1 seek=$((strf + 16)) conv=notrunc status=none

# Input frame 1 left out: ffmpeg's AVI writer fills the gap with an empty chunk.
ffmpeg -loglevel error -y -f lavfi -i "$source" -frames:v 3 -vf "select='not(eq(n\,1))'" -fps_mode passthrough \
  -c:v rawvideo -pix_fmt gray "$media/gap.avi"
ffmpeg -loglevel error -y -i "$media/gap.avi" -frames:v 1 -pix_fmt bgr24 "$media/gap-0.bmp"
ffmpeg -loglevel error -y -i "$media/pal8.avi" -frames:v 1 -pix_fmt bgr24 "$media/pal8-0.bmp"

# 16-bit RGB with 5-6-5 bit fields: ffmpeg writes the pixels but no bit masks, so the masks go in
# behind its bitmap header, taken from the padding chunk that follows it (every later offset stays).
write rgb565 -c:v rawvideo -pix_fmt rgb565le
python3 - "$media/rgb565.avi" <<'PYTHON'
import struct, sys
d = bytearray(open(sys.argv[1], "rb").read())
strf = d.find(b"strf")
size = struct.unpack_from("<I", d, strf + 4)[0]
junk = strf + 8 + size
assert size == 40 and d[junk:junk + 4] == b"JUNK"
junk_size = struct.unpack_from("<I", d, junk + 4)[0]
struct.pack_into("<I", d, strf + 4, 52)
struct.pack_into("<I", d, strf + 8 + 16, 3)  # BI_BITFIELDS
masks = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
d[junk:junk + 8 + junk_size] = masks + b"JUNK" + struct.pack("<I", junk_size - 12) + bytes(junk_size - 12)
open(sys.argv[1], "wb").write(d)
PYTHON
ffmpeg -loglevel error -y -f lavfi -i "$source" -frames:v 2 -pix_fmt rgb565le -f rawvideo "$media/rgb565.raw"
ffmpeg -loglevel error -y -f rawvideo -pix_fmt rgb565le -s 321x241 -i "$media/rgb565.raw" -vf "select=eq(n\,1)" \
  -frames:v 1 -pix_fmt bgr24 "$media/rgb565-1.bmp"

# A palette change between the two frames of the palettized file (ffmpeg writes none): every entry
# becomes another colour from the second frame on. ffmpeg's decoding honours it.
python3 - "$media/pal8.avi" "$media/pal8change.avi" <<'PYTHON'
import struct, sys
d = bytearray(open(sys.argv[1], "rb").read())
movi = d.find(b"movi")
first = movi + 4
size = struct.unpack_from("<I", d, first + 4)[0]
at = first + 8 + size + (size & 1)
change = bytes([0, 0, 0, 0]) + b"".join(bytes([255 - i, i, 128, 0]) for i in range(256))
chunk = b"00pc" + struct.pack("<I", len(change)) + change
d[at:at] = chunk
for field in (movi - 4, 4):  # the "movi" list and the RIFF sizes
    struct.pack_into("<I", d, field, struct.unpack_from("<I", d, field)[0] + len(chunk))
idx1 = d.find(b"idx1", at + len(chunk))
entries = [list(struct.unpack_from("<4sIII", d, idx1 + 8 + 16 * k)) for k in range(struct.unpack_from("<I", d, idx1 + 4)[0] // 16)]
for e in entries:
    if e[2] >= at - movi:
        e[2] += len(chunk)
entries.insert(1, [b"00pc", 0, at - movi, len(change)])
table = b"".join(struct.pack("<4sIII", *e) for e in entries)
d[idx1 + 4:] = struct.pack("<I", len(table)) + table
struct.pack_into("<I", d, 4, len(d) - 8)
open(sys.argv[2], "wb").write(d)
PYTHON

for name in rgb24 rgb24up rgb555 pal8 pal8change y800 uyvy yvyu i420 yv12 nv12 i420even uyvyeven mjpg; do
  ffmpeg -loglevel error -y -i "$media/$name.avi" -vf "select=eq(n\,1)" -frames:v 1 -pix_fmt bgr24 "$media/$name-1.bmp"
done

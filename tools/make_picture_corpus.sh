#!/usr/bin/env bash
# Generates the picture corpus into a folder: every supported kind and bit
# depth, the cases that must give nothing, and GIF stills and animations. It
# also writes manifest.tsv, one line per file: the name, then how the
# reference test checks it:
#   im          pixels equal ImageMagick's decoding
#   im-flat     pixels equal ImageMagick's, flattened onto white (GIF)
#   pcxtoppm    pixels equal netpbm's pcxtoppm (1-bit PCX)
#   jpeg        within 1 per channel of ImageMagick's decoding
#   none        the program makes nothing of it
#   icon WxH    an icon of that size
#   frames N    an animation of N frames
# Usage: make_picture_corpus.sh OUT_DIR
set -euo pipefail

out=${1:?usage: make_picture_corpus.sh OUT_DIR}
here=$(cd "$(dirname "$0")" && pwd)
edit="python3 $here/picture_corpus_edit.py"
# The real ImageMagick, not a wrapper that may sit earlier on the PATH.
convert=$(command -v convert-im6.q16 || command -v convert)

mkdir -p "$out"
cd "$out"
rm -f manifest.tsv
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
note() { printf '%s\t%s\n' "$1" "$2" >>manifest.tsv; }

# Source pictures: a plasma (smooth colour and noise) in several sizes.
$convert -size 37x23 -seed 7 plasma: "$tmp/odd.ppm"
$convert -size 408x390 -seed 3 plasma: "$tmp/big.ppm"
$convert -size 272x130 -seed 5 plasma: "$tmp/wide.ppm"
$convert -size 1x1 xc:'#3366CC' "$tmp/one.ppm"
$convert -size 16x16 -seed 9 plasma: "$tmp/i16.ppm"
$convert -size 32x32 -seed 9 plasma: "$tmp/i32.ppm"
$convert -size 48x48 -seed 9 plasma: "$tmp/i48.ppm"

# BMP: every bit depth, uncompressed, with the 40-byte header.
bmp() { $convert "$1" "${@:3}" -compress None "BMP3:$2"; }
bmp "$tmp/odd.ppm" bmp24-odd.bmp -type TrueColor; note bmp24-odd.bmp im
bmp "$tmp/one.ppm" bmp24-1x1.bmp -type TrueColor; note bmp24-1x1.bmp im
bmp "$tmp/big.ppm" bmp24-408x390.bmp -type TrueColor; note bmp24-408x390.bmp im
bmp "$tmp/wide.ppm" bmp24-272x130.bmp -type TrueColor; note bmp24-272x130.bmp im
bmp "$tmp/odd.ppm" bmp8-odd.bmp -colors 200 -type Palette; note bmp8-odd.bmp im
bmp "$tmp/odd.ppm" bmp4-odd.bmp -colors 16 -type Palette; note bmp4-odd.bmp im
bmp "$tmp/odd.ppm" bmp1-odd.bmp -monochrome; note bmp1-odd.bmp im
bmp "$tmp/one.ppm" bmp1-1x1.bmp -monochrome; note bmp1-1x1.bmp im
$edit bmp32 bmp24-odd.bmp bmp32-odd.bmp; note bmp32-odd.bmp im
$edit topdown bmp24-odd.bmp bmp24-topdown.bmp; note bmp24-topdown.bmp im
$edit topdown bmp8-odd.bmp bmp8-topdown.bmp; note bmp8-topdown.bmp im
$convert "$tmp/odd.ppm" -type TrueColor BMP:bmp24-v5.bmp; note bmp24-v5.bmp im
$convert "$tmp/odd.ppm" -colors 200 -type Palette -compress None BMP:bmp8-v5.bmp; note bmp8-v5.bmp im
# ... and what must give nothing: 16 bits, run-length and bit-field compression.
$edit bmp16 bmp24-odd.bmp bmp16-rgb.bmp; note bmp16-rgb.bmp none
$convert "$tmp/odd.ppm" -define bmp:subtype=RGB565 BMP:bmp16-bitfields.bmp; note bmp16-bitfields.bmp none
$convert "$tmp/odd.ppm" -colors 200 -type Palette -compress RLE BMP3:bmp8-rle.bmp; note bmp8-rle.bmp none
$convert "$tmp/odd.ppm" -alpha set -channel A -evaluate set 50% BMP:bmp32-bitfields.bmp; note bmp32-bitfields.bmp none

# PCX: 8 bits with the palette at the end, and 1 bit (version 3 is the
# 1-bit layout that is recognised; netpbm writes version 5).
$convert "$tmp/odd.ppm" -colors 200 -type Palette PCX:pcx8-odd.pcx; note pcx8-odd.pcx im
$convert "$tmp/big.ppm" -colors 256 -type Palette PCX:pcx8-408x390.pcx; note pcx8-408x390.pcx im
$convert "$tmp/one.ppm" -type Palette PCX:pcx8-1x1.pcx; note pcx8-1x1.pcx im
$convert "$tmp/odd.ppm" -monochrome pbm:- | ppmtopcx >pcx1-odd.pcx 2>/dev/null
$edit setbyte pcx1-odd.pcx 1 3; note pcx1-odd.pcx pcxtoppm
$convert "$tmp/wide.ppm" -monochrome pbm:- | ppmtopcx >pcx1-v5.pcx 2>/dev/null; note pcx1-v5.pcx none

# Icons: the entry rule picks the 32-wide 16-colour image, else the last one.
bmp "$tmp/i16.ppm" "$tmp/i16-8.bmp" -colors 200 -type Palette
bmp "$tmp/i32.ppm" "$tmp/i32-4.bmp" -colors 16 -type Palette
bmp "$tmp/i48.ppm" "$tmp/i48-24.bmp" -type TrueColor
bmp "$tmp/i32.ppm" "$tmp/i32-24.bmp" -type TrueColor
$edit icon 1 icon-three.ico "$tmp/i16-8.bmp" "$tmp/i32-4.bmp" "$tmp/i48-24.bmp"; note icon-three.ico "icon 32x32"
$edit icon 1 icon-last.ico "$tmp/i32-24.bmp" "$tmp/i16-8.bmp"; note icon-last.ico "icon 16x16"
$edit icon 2 cursor.cur "$tmp/i32-4.bmp" "$tmp/i48-24.bmp"; note cursor.cur "icon 32x32"
$convert "$tmp/big.ppm" -define icon:auto-resize=16,32,256 icon-png.ico; note icon-png.ico "icon 256x256"

# JPEG: colour, grey, CMYK, progressive, odd sizes.
$convert "$tmp/odd.ppm" -quality 90 jpeg-odd.jpg; note jpeg-odd.jpg jpeg
$convert "$tmp/big.ppm" -quality 85 -sampling-factor 2x2 jpeg-420.jpg; note jpeg-420.jpg jpeg
$convert "$tmp/big.ppm" -colorspace Gray jpeg-grey.jpg; note jpeg-grey.jpg jpeg
$convert "$tmp/big.ppm" -colorspace CMYK jpeg-cmyk.jpg; note jpeg-cmyk.jpg jpeg
$convert "$tmp/big.ppm" -interlace JPEG jpeg-progressive.jpg; note jpeg-progressive.jpg jpeg
$convert "$tmp/one.ppm" jpeg-1x1.jpg; note jpeg-1x1.jpg jpeg

# GIF stills: plain, interlaced, transparent, an image smaller than the screen.
$convert "$tmp/odd.ppm" -colors 64 gif-still.gif; note gif-still.gif im-flat
$convert "$tmp/big.ppm" -colors 128 -interlace GIF gif-interlaced.gif; note gif-interlaced.gif im-flat
$convert "$tmp/odd.ppm" -colors 32 -fuzz 20% -transparent "$($convert "$tmp/odd.ppm" -format '%[pixel:p{5,5}]' info:)" \
  gif-transparent.gif; note gif-transparent.gif im-flat
$convert "$tmp/i16.ppm" -colors 16 -repage 40x30+10+7 gif-offset.gif; note gif-offset.gif im-flat
$convert "$tmp/one.ppm" gif-1x1.gif; note gif-1x1.gif im-flat

# GIF animations: each disposal method, transparency, delays 0 and 10.
frames() {
  local i
  for i in 0 1 2 3; do
    $convert -size 12x10 "xc:hsl($((i * 90)),100%,50%)" -fill none -stroke black -draw 'line 0,0 11,9' \
      "$tmp/f$i.gif"
  done
}
frames
for disposal in None Background Previous; do
  name=gif-dispose-$(echo "$disposal" | tr 'A-Z' 'a-z').gif
  $convert -size 40x30 xc:'#808080' -dispose "$disposal" -delay 10 \
    "$tmp/f0.gif" -page +4+3 "$tmp/f1.gif" -page +20+12 "$tmp/f2.gif" -page +8+16 "$tmp/f3.gif" \
    -loop 0 "$name"
  note "$name" "frames 5"
done
$convert -delay 0 "$tmp/f0.gif" "$tmp/f1.gif" "$tmp/f2.gif" -loop 0 gif-delay0.gif; note gif-delay0.gif "frames 3"
$convert -dispose Previous -delay 10 "$tmp/f0.gif" \( "$tmp/f1.gif" -transparent "hsl(90,100%,50%)" \) \
  -loop 0 gif-transparent-anim.gif; note gif-transparent-anim.gif "frames 2"

# What is no picture at all.
printf 'not a picture, only some text\n' >text.bmp; note text.bmp none
printf 'BM\0\0\0' >five-bytes.bmp; note five-bytes.bmp none
# A JPEG named .bmp and a BMP named .jpg: the name plays no part.
cp jpeg-odd.jpg jpeg-named.bmp; note jpeg-named.bmp jpeg
cp bmp24-odd.bmp bmp-named.jpg; note bmp-named.jpg im

echo "picture corpus: $(wc -l <manifest.tsv) files in $out"

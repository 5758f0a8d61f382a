#!/usr/bin/env bash
# Differential test of the picture code: moxilo-probe against ImageMagick and
# netpbm over the generated corpus (see tools/make_picture_corpus.sh for the
# manifest). Full-size pixels must equal the reference for lossless formats,
# within 1 per channel for JPEG. The area-averaging scale to 136 x 130 must be
# within 1 per channel of ImageMagick's exact area average (-scale), and for
# whole-number ratios of its box-filter resize as well.
# Usage: pictures_reference.sh PROBE CORPUS_DIR
set -uo pipefail

probe=${1:?usage: pictures_reference.sh PROBE CORPUS_DIR}
corpus=${2:?usage: pictures_reference.sh PROBE CORPUS_DIR}
compare="python3 $(cd "$(dirname "$0")" && pwd)/pictures_compare.py"
convert=$(command -v convert-im6.q16 || command -v convert)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
passed=0
failed=0

pass() { passed=$((passed + 1)); }
fail() { echo "FAIL $1: $2"; failed=$((failed + 1)); }

# Compares the probe's full-size and scaled pictures with a reference decoding.
check_pixels() {
  local file=$1 reference=$2 tolerance=$3 path="$corpus/$1"
  if ! out=$("$probe" "$path" --full "$tmp/ours.ppm"); then fail "$file" "probe: $out"; return; fi
  local why
  if why=$($compare "$tmp/ours.ppm" "$reference" "$tolerance"); then pass; else fail "$file" "full size: $why"; fi
  "$probe" "$path" --scaled "$tmp/scaled.pam" >/dev/null || { fail "$file" "no scaled picture"; return; }
  $convert "$reference" -scale '136x130!' -depth 8 "ppm:$tmp/ref-scaled.ppm"
  if why=$($compare "$tmp/scaled.pam" "$tmp/ref-scaled.ppm" 1); then pass; else fail "$file" "scaled: $why"; fi
  local size width height
  size=$($convert "$reference" -format '%w %h' info:)
  read -r width height <<<"$size"
  if [ $((width % 136)) -eq 0 ] && [ $((height % 130)) -eq 0 ]; then
    $convert "$reference" -filter box -resize '136x130!' -depth 8 "ppm:$tmp/ref-box.ppm"
    if why=$($compare "$tmp/scaled.pam" "$tmp/ref-box.ppm" 1); then pass; else fail "$file" "box filter: $why"; fi
  fi
}

while IFS=$'\t' read -r file expect; do
  path="$corpus/$file"
  case "$expect" in
    im)
      $convert "$path" -alpha off -depth 8 "ppm:$tmp/ref.ppm"
      check_pixels "$file" "$tmp/ref.ppm" 0 ;;
    im-flat)
      $convert "$path" -background white -flatten -alpha off -depth 8 "ppm:$tmp/ref.ppm"
      check_pixels "$file" "$tmp/ref.ppm" 0 ;;
    pcxtoppm)
      pcxtoppm "$path" >"$tmp/ref.ppm" 2>/dev/null
      check_pixels "$file" "$tmp/ref.ppm" 0 ;;
    jpeg)
      $convert "$path" -depth 8 "ppm:$tmp/ref.ppm"
      check_pixels "$file" "$tmp/ref.ppm" 1 ;;
    none)
      if out=$("$probe" "$path"); then fail "$file" "decoded although it must give nothing: $out"; else pass; fi ;;
    icon\ *)
      if "$probe" "$path" | grep -qx "size: ${expect#icon }"; then pass; else fail "$file" "icon is not ${expect#icon }"; fi ;;
    frames\ *)
      want=${expect#frames }
      have=$($convert "$path" -format '%n\n' info: | head -1)
      if [ "$have" != "$want" ]; then fail "$file" "ImageMagick counts $have frames, the manifest $want"; continue; fi
      if "$probe" "$path" | grep -qx "frames: $want"; then pass; else fail "$file" "not $want frames"; fi ;;
    *)
      fail "$file" "unknown expectation '$expect'" ;;
  esac
done <"$corpus/manifest.tsv"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

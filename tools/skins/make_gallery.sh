#!/usr/bin/env bash
# Regenerates docs/skins-gallery.png: the sample window in each of the 33
# skins, Aero on, rendered under Wine by the skin_gallery tool.
#   tools/skins/make_gallery.sh [WIN64_BUILD_DIR]   (default build/win64)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "${1:-$root/build/win64}")
cmake --build "$build" --target skin_gallery SkinH_EL
winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }
mkdir -p "$root/docs"
"$root/tools/wine/run.sh" "$build/wine" "$build/skin_gallery.exe" \
  "$(winpath "$build/skinh/SkinH_EL.dll")" "$(winpath "$root/resources/skins")" \
  "$(winpath "$root/docs")\\skins-gallery.png"
echo "wrote $root/docs/skins-gallery.png"

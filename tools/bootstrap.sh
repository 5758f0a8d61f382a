#!/usr/bin/env bash
# Installs what building, running and testing Moxilo needs on a fresh Debian 12
# machine, from Debian's packages only, and fetches the source packages that the
# Windows builds compile. Idempotent: a second run with everything present only
# checks and returns within seconds.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine wine64 xvfb xauth x11-apps locales fonts-wqy-microhei fonts-wine
  cmake ninja-build nasm dpkg-dev imagemagick g++ clang libclang-rt-14-dev
  googletest libjpeg62-turbo-dev libjpeg-turbo-progs libgif-dev giflib-tools netpbm
  python3 file
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# apt-get source needs the deb-src entries.
enable_sources() {
  local f=/etc/apt/sources.list.d/debian.sources
  if [ -f "$f" ] && ! grep -q '^Types:.*deb-src' "$f"; then
    as_root sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"
    return 0
  fi
  if [ ! -f "$f" ] && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | as_root tee -a /etc/apt/sources.list >/dev/null
    return 0
  fi
  return 1
}

cache=${MOXILO_DEPS_CACHE:-/var/cache/moxilo-deps}
need_sources=0
for src in libjpeg-turbo giflib; do
  [ -f "$cache/$src/.ready" ] || need_sources=1
done

updated=0
if enable_sources || [ ${#missing[@]} -gt 0 ] || [ $need_sources -eq 1 ]; then
  as_root apt-get update -qq
  updated=1
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine and the tests need the GBK code page through zh_CN.UTF-8.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi

# Source packages for the Windows builds, unpacked once into a cache outside git.
for src in libjpeg-turbo giflib; do
  [ -f "$cache/$src/.ready" ] && continue
  [ $updated -eq 1 ] || { as_root apt-get update -qq; updated=1; }
  as_root mkdir -p "$cache"
  work=$(mktemp -d "$cache/.fetch.XXXXXX")
  ( cd "$work" && apt-get source -qq "$src" >/dev/null 2>&1 )
  dir=$(find "$work" -maxdepth 1 -mindepth 1 -type d -name "$src-*" | head -n 1)
  [ -n "$dir" ] || { echo "bootstrap: apt-get source $src failed" >&2; exit 1; }
  as_root rm -rf "$cache/$src"
  as_root mv "$dir" "$cache/$src"
  as_root rm -rf "$work"
  as_root touch "$cache/$src/.ready"
done

#!/usr/bin/env bash
# Installs what building and testing need on Debian 12. Safe to run again.
set -euo pipefail

# Both MinGW-w64 toolchains (posix threads): x86 and x64 are built from one
# source. wine32 is installed even where 32-bit programs cannot run: the
# scripts find out what runs by starting each loader.
need=(wine wine64 wine32:i386 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
      binutils-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64-posix
      gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
      xvfb x11-utils imagemagick googletest cmake make)

missing=()
for p in "${need[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && { echo "install-deps: everything is installed"; exit 0; }

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
echo "install-deps: installed ${missing[*]}"

#!/usr/bin/env bash
# Checks the built module as a file: a PE DLL of its architecture (PE32 i386
# for x86, PE32+ x86-64 for x64) that needs only system DLLs, with the
# undecorated exports a host and rundll32 look up, and of a release build
# without debug information and (x86) within its size.
# Also that none of the module's objects gives a thread_local object a
# destructor: this runtime frees a thread's thread_local storage before it
# runs those destructors, so each would free freed memory when a host's
# thread that ran a console ends.
# usage: check-module.sh x86|x64 Ostrivan.dll Ostrivan.crl [build type] [module's object library]
set -u
arch=$1 dll=$2 crl=$3 build_type=${4:-} objects=${5:-}
case $arch in
  x86) tools=i686-w64-mingw32 format=pei-i386 magic=10b machine=014c thread_atexit=___cxa_thread_atexit ;;
  x64) tools=x86_64-w64-mingw32 format=pei-x86-64 magic=20b machine=8664 thread_atexit=__cxa_thread_atexit ;;
  *) echo "unknown architecture $arch"; exit 2 ;;
esac
objdump=$tools-objdump
# The x86 module's size target, in bytes.
size_limit=$((450 * 1024))
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for f in "$dll" "$crl"; do
  header=$($objdump -f "$f")
  grep -q "file format $format\$" <<<"$header" || fail "$f is not a $format file"
  # The PE header itself: the machine type and the optional header's magic
  # (0x10b PE32, 0x20b PE32+).
  pe=$($objdump -p "$f")
  grep -Eq "^Magic[[:space:]]+0*$magic\b" <<<"$pe" || fail "$f: optional header magic is not $magic"
  [ "$(od -An -tx2 -j "$(( $(od -An -tu4 -j 60 -N4 "$f") + 4 ))" -N2 "$f" | tr -d ' ')" = "$machine" ] ||
    fail "$f: machine type is not $machine"
  grep -q 'DLL' <<<"$($objdump -p "$f" | grep -A12 '^Characteristics')" || fail "$f is not a DLL"
done

allowed='^(kernel32|user32|gdi32|advapi32|shell32|shlwapi|ole32|oleaut32|setupapi|cfgmgr32|comctl32|version|msvcrt)\.dll$'
imports=$($objdump -p "$dll" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$imports" ] || fail "no import table read from $dll"
while read -r name; do
  [ -z "$name" ] && continue
  grep -Eq "$allowed" <<<"$name" || fail "$dll imports $name, which is not a system DLL"
done <<<"$imports"

case "$build_type" in
  Release | MinSizeRel)
    debug=$($objdump -h "$dll" | awk '$2 ~ /^\.debug/ {print $2}' | tr '\n' ' ')
    [ -z "$debug" ] || fail "$dll of a $build_type build carries debug information: $debug"
    size=$(stat -c %s "$dll")
    echo "$arch module: $size bytes"
    if [ "$arch" = x86 ] && [ "$size" -gt "$size_limit" ]; then
      fail "$dll is $size bytes, more than $size_limit"
    fi
    ;;
esac

crl_imports=$($objdump -p "$crl" | sed -n 's/^\s*DLL Name: //p')
[ -z "$crl_imports" ] || fail "$crl has code imports: $crl_imports"

exports=$($objdump -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk '$1=="[" {print $3}' | sort | tr '\n' ' ')
expected="DllRegisterServer DllUnregisterServer ksCVWConsoleRunDLL32EP ksCVWEntryPoint ksCVWIntroRunDLL32EP ksCVWParentalRunDLL32EP ksCVWUtilityRunDLL32EP "
[ "$exports" = "$expected" ] || fail "exports are '$exports', expected '$expected'"

# The two names of the do-nothing entry point are one function.
rva_of() {
  local ordinal
  ordinal=$($objdump -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk -v n="$1" '$3==n {gsub(/[\[\]]/,"",$2); print $2}')
  $objdump -p "$dll" | sed -n '/Export Address Table --/,/^$/p' | awk -v o="$ordinal" '{gsub(/[\[\]]/," ")} $1==o {print $4; exit}'
}
intro=$(rva_of ksCVWIntroRunDLL32EP)
utility=$(rva_of ksCVWUtilityRunDLL32EP)
{ [ -n "$intro" ] && [ "$intro" = "$utility" ]; } || fail "ksCVWIntroRunDLL32EP ($intro) and ksCVWUtilityRunDLL32EP ($utility) differ"

if [ -n "$objects" ]; then
  destructors=$($tools-nm -A "$objects" 2>/dev/null | awk -v s="$thread_atexit" '$NF == s {print $1}' | tr '\n' ' ')
  [ -z "$destructors" ] || fail "thread_local objects with destructors in $destructors"
fi

if [ "$failures" -eq 0 ]; then echo "$arch module file checks passed"; fi
exit "$failures"

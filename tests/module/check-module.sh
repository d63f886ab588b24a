#!/usr/bin/env bash
# Checks the built module as a file: a 32-bit PE DLL that needs only system
# DLLs, with the exports a host and rundll32 look up, and of a release build
# without debug information.
# Also that none of the module's objects gives a thread_local object a
# destructor: this runtime frees a thread's thread_local storage before it
# runs those destructors, so each would free freed memory when a host's
# thread that ran a console ends.
# usage: check-module.sh Ostrivan.dll Ostrivan.crl [build type] [module's object library]
set -u
dll=$1 crl=$2 build_type=${3:-} objects=${4:-}
objdump=i686-w64-mingw32-objdump
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for f in "$dll" "$crl"; do
  header=$($objdump -f "$f")
  grep -q 'file format pei-i386' <<<"$header" || fail "$f is not a PE32 i386 file"
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
  destructors=$(i686-w64-mingw32-nm -A "$objects" 2>/dev/null | awk '$NF == "___cxa_thread_atexit" {print $1}' | tr '\n' ' ')
  [ -z "$destructors" ] || fail "thread_local objects with destructors in $destructors"
fi

if [ "$failures" -eq 0 ]; then echo "module file checks passed"; fi
exit "$failures"

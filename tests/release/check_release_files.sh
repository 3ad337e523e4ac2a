#!/usr/bin/env bash
# Checks the Windows files as they ship, without running them:
#   check_release_files.sh DIR OBJDUMP WINDRES i386|x86-64
# orvsetup.exe and VK6_640x16.dll in DIR must be PE32 i386 (or PE32+ x86-64)
# files with ASLR and DEP on, no debug information or symbols, a version
# resource, and imports from Windows system DLLs only; the DLL exports its
# undecorated names at ordinals 1 XQMPI_Cleanup, 2 XQMPI_DecodeFrame,
# 3 XQMPI_Init, 4 XQMPI_DecodeFrameBounded, and the handle-based entry points
# 5 XQMPI_CreateDecoder, 6 XQMPI_DecoderDecodeFrame, 7 XQMPI_DecoderPictureRows,
# 8 XQMPI_DestroyDecoder, 9 XQMPI_DecoderLastError, 10 XQMPI_DecoderErrorText
# and 11 XQMPI_DecoderSetConcealment, and nothing else. vk6.exe and
# vk6play.exe import from Windows and VK6_640x16.dll only.
set -uo pipefail
dir=$1 objdump=$2 windres=$3 arch=$4
case $arch in
  i386) format=pei-i386 magic='010b	(PE32)' ;;
  x86-64) format=pei-x86-64 magic='020b	(PE32+)' ;;
  *) echo "unknown architecture $arch" >&2; exit 2 ;;
esac
system_dlls=" kernel32.dll msvcrt.dll user32.dll gdi32.dll ddraw.dll shell32.dll "
failures=0
fail() { echo "FAIL $1: $2"; failures=$((failures + 1)); }

for file in orvsetup.exe VK6_640x16.dll; do
  path=$dir/$file
  [ -f "$path" ] || { fail "$file" "missing in $dir"; continue; }
  headers=$("$objdump" -p "$path")
  grep -q "file format $format\$" <<<"$headers" || fail "$file" "not $format"
  grep -qF "Magic			$magic" <<<"$headers" || fail "$file" "optional header is not $magic"
  for flag in DYNAMIC_BASE NX_COMPAT; do
    grep -qx "[[:space:]]*$flag" <<<"$headers" || fail "$file" "$flag is off"
  done
  sections=$("$objdump" -h "$path")
  grep -q ' \.debug_' <<<"$sections" && fail "$file" "carries debug sections"
  symbols=$("$objdump" -t "$path")
  grep -q '^\[' <<<"$symbols" && fail "$file" "carries a symbol table"
  while read -r dll; do
    [[ $system_dlls == *" ${dll,,} "* ]] || fail "$file" "imports $dll"
  done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
  version=$("$windres" -i "$path" -O rc 2>/dev/null)
  grep -q 'VALUE "ProductName", "Orvane"' <<<"$version" || fail "$file" "no version resource"
  grep -q "VALUE \"OriginalFilename\", \"$file\"" <<<"$version" || fail "$file" "version resource names another file"
done

# The tools import nothing beyond Windows and the decoder library (zlib, the
# C++ runtime and the rest are linked in).
for file in vk6.exe vk6play.exe; do
  [ -f "$dir/$file" ] || { fail "$file" "missing in $dir"; continue; }
  while read -r dll; do
    [[ "$system_dlls vk6_640x16.dll " == *" ${dll,,} "* ]] || fail "$file" "imports $dll"
  done < <("$objdump" -p "$dir/$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
done

# The DLL's export table: "[i] name" lines, i counted from the ordinal base.
dll=$dir/VK6_640x16.dll
if [ -f "$dll" ]; then
  exports=$("$objdump" -p "$dll" | awk '
    /^Ordinal Base/ { base = $3 }
    /^\[Ordinal\/Name Pointer\] Table/ { table = 1; next }
    table && /^$/ { table = 0 }
    table { gsub(/[][]/, " "); print $1 + base, $2 }' | sort -n)
  expected=$'1 XQMPI_Cleanup\n2 XQMPI_DecodeFrame\n3 XQMPI_Init\n4 XQMPI_DecodeFrameBounded'
  expected+=$'\n5 XQMPI_CreateDecoder\n6 XQMPI_DecoderDecodeFrame\n7 XQMPI_DecoderPictureRows\n8 XQMPI_DestroyDecoder'
  expected+=$'\n9 XQMPI_DecoderLastError\n10 XQMPI_DecoderErrorText\n11 XQMPI_DecoderSetConcealment'
  [ "$exports" = "$expected" ] || fail VK6_640x16.dll "exports differ: $(tr '\n' ',' <<<"$exports")"
fi

if [ "$failures" -gt 0 ]; then exit 1; fi
echo "orvsetup.exe and VK6_640x16.dll in $dir: $format, ASLR and DEP, stripped, versioned, system imports, exports at their ordinals; vk6.exe and vk6play.exe: system imports and the decoder"

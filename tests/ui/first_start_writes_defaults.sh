#!/usr/bin/env bash
# Starting the program in a program folder without config.dat leaves the default file there.
set -eu
stage=$1
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp -r "$stage"/. "$folder"
rm -f "$folder/config.dat"
"$(dirname "$0")/../../scripts/with-wine" timeout 60 "$folder/ombrel.exe"
size=$(stat -c %s "$folder/config.dat")
[ "$size" -eq 372 ] || { echo "config.dat has $size bytes, expected 372"; exit 1; }
head -c 11 "$folder/config.dat" | od -c | grep -q 'w   i   d   t   h   =   7   5   0  \\r  \\n' ||
    { echo "config.dat does not start with width=750 CR LF"; exit 1; }
echo "config.dat: 372 bytes"

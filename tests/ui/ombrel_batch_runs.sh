#!/usr/bin/env bash
# ombrel-batch end to end: a real folder in both modes, and the exit status of each way a run
# can end.
set -eu
stage=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$stage"/. "$work/Ombrel"
rm -f "$work/Ombrel/config.dat"
batch() { "$root/scripts/with-wine" "$work/Ombrel/ombrel-batch.exe" "$@"; }
fail() { echo "FAILED: $*"; exit 1; }
expect_status() { # STATUS ARGS...
    local want=$1 got=0
    shift
    batch "$@" >"$work/out.txt" 2>&1 || got=$?
    [ "$got" -eq "$want" ] || { cat "$work/out.txt"; fail "exit status $got, expected $want for: $*"; }
}

src="$work/商品 图片"
mkdir -p "$src/子目录"
convert -size 1200x800 xc:orange "$src/a.jpg"
convert -size 300x200 xc:none -fill red -draw 'rectangle 150,0 299,199' "$src/b.png"
convert -size 900x300 xc:teal "$src/子目录/c.jpg"
echo "not an image" >"$src/bad.jpg"

# Flat mode, Unix paths, a Chinese watermark text.
expect_status 0 --width 600 --text '店铺' --font 'WenQuanYi Zen Hei' "$src" "$work/out"
[ "$(identify -format '%w %h' "$work/out/a.jpg")" = "600 400" ] || fail "a.jpg not 600x400"
[ -f "$work/out/b.png.jpg" ] || fail "b.png.jpg missing"
[ ! -e "$work/out/子目录" ] || fail "flat mode went into a subfolder"
grep -q "读取 .*bad.jpg 出错" "$work/out.txt" || fail "no log line for bad.jpg"
grep -q "处理完成 2 个图片" "$work/out.txt" || fail "no completion question"
grep -q '^width=600' "$work/Ombrel/config.dat" || fail "settings not saved"

# Subfolder mode mirrors the tree; the existing results need --yes.
expect_status 2 --subfolders "$src" "$work/out"
grep -q "你取消了本次图片处理" "$work/out.txt" || fail "no cancel message"
expect_status 0 --subfolders --yes "$src" "$work/out"
[ "$(identify -format '%w' "$work/out/子目录/c.jpg")" = "900" ] || fail "mirrored c.jpg missing"

# Refusals and folder errors.
expect_status 1 "$work/missing" "$work/out"
grep -q "图片源文件夹不存在，请重新选择" "$work/out.txt" || fail "no refusal message"
expect_status 1 --subfolders "$src" "$src/out"
mkdir -p "$work/blocked"
echo x >"$work/blocked/子目录"
expect_status 3 --subfolders --yes "$src" "$work/blocked"
expect_status 64 --rotate 45 "$src" "$work/out"
echo "ombrel-batch: every way out ends as expected"

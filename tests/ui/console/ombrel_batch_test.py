#!/usr/bin/env python3
# ombrel-batch on real pictures: the files a run writes, their pixels, its lines and its exit
# status, one run per row. Usage: ombrel_batch_test.py STAGED_PROGRAM_FOLDER WITH_WINE
import os, shlex, shutil, subprocess, sys, tempfile, time, zlib

stage, with_wine = sys.argv[1:3]
root = tempfile.mkdtemp(prefix='ombrel-batch-')
program = os.path.join(root, '嘰 Ombrel')  # the trail byte of 嘰 is 0x5C, a backslash
shutil.copytree(stage, program, symlinks=True)
# Sources on a pale yellow: a grey one would keep its greyscale and lose the colours drawn on it.
RED, WHITE, PALE = (255, 0, 0), (255, 255, 255), (255, 255, 224)


def at(*parts):
    return os.path.join(root, *parts)


# Made by the one picture maker, ImageMagick's convert.
def picture(path, *recipe):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    subprocess.run(['convert', *recipe, path], check=True)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


# A few dozen bytes of PNG or JPEG that claim a picture of 60000 x 60000.
def bomb(path):
    picture(path, '-size', '2x2', 'xc:gray')
    data = bytearray(open(path, 'rb').read())
    if path.endswith('.png'):
        data[16:24] = (60000).to_bytes(4, 'big') * 2
        data[29:33] = zlib.crc32(data[12:29]).to_bytes(4, 'big')
    else:
        frame = data.index(b'\xff\xc0') + 5
        data[frame:frame + 4] = (60000).to_bytes(2, 'big') * 2
    write(path, bytes(data))


def facts(path, fmt):
    return subprocess.run(['identify', '-format', fmt, path], capture_output=True,
                          text=True).stdout.strip()


# The mean (or least) red, green and blue of a box (x, y, width, height) of a picture.
def colour(path, box, of='mean'):
    x, y, w, h = box
    text = facts(path + f'[{w}x{h}+{x}+{y}]', ' '.join(f'%[fx:int(255*{of}.{c})]' for c in 'rgb'))
    return tuple(map(int, text.split())) if text else None


def near(shown, expected):
    return shown is not None and all(abs(a - b) <= 40 for a, b in zip(shown, expected))


# A source folder of the row's own; each file is (name, recipe or bytes).
def source(name, *files):
    for file, content in files:
        if isinstance(content, bytes):
            write(at(name, file), content)
        elif content == 'bomb':
            bomb(at(name, file))
        else:
            picture(at(name, file), *shlex.split(content))
    return at(name)


HALF = "-size 40x20 xc:none -fill red -draw 'rectangle 20,0 39,19'"
ROWS = [
    ('every kind of source, flat', lambda: source(
        'kinds', ('a.jpg', '-size 1000x600 xc:green -quality 95'), ('b.png', HALF),
        ('c.gif', HALF), ('d.gif', '-delay 20 -size 8x8 xc:red xc:blue'),
        ('e.jpg', b'not an image'), ('f.jpg', b'<svg width="4" height="4"/>'),
        ('q80.jpg', '-size 20x20 xc:gray -quality 80'), ('big.png', 'bomb'), ('big.jpg', 'bomb'),
        ('sub/x.jpg', '-size 8x8 xc:red')), ['--width', '750'], 0,
     ['\\d.gif ,这是一个gif动画图片', '读取 ', '\\e.jpg 出错', '\\f.jpg 出错', '\\big.png 出错',
      '\\big.jpg 出错', '处理完成 4 个图片'],
     [('size', 'a.jpg', '750 450'), ('quality', 'a.jpg', '90'), ('quality', 'q80.jpg', '80'),
      ('colour', 'b.png.jpg', (2, 2, 16, 16), WHITE), ('colour', 'b.png.jpg', (22, 2, 16, 16), RED),
      ('colour', 'c.gif.jpg', (2, 2, 16, 16), WHITE), ('absent', 'd.gif.jpg'),
      ('absent', 'e.jpg'), ('absent', 'sub')]),
    ('a shrink on load gives the exact height', lambda: source(
        'odd', ('wide.jpg', '-size 2800x2007 xc:orange'), ('tall.jpg', '-size 1601x4803 xc:teal')),
     ['--width', '700'], 0, ['处理完成 2 个图片'],
     [('size', 'wide.jpg', '700 501'), ('size', 'tall.jpg', '700 2100')]),
    ('the folder tree is mirrored, names with 0x5C included', lambda: source(
        '嘰', ('top.jpg', '-size 8x8 xc:red'), ('a/mid.png', '-size 8x8 xc:red'),
        ('a/嘰/deep.jpg', '-size 8x8 xc:red'), ('.hidden/no.jpg', '-size 8x8 xc:red')),
     ['--subfolders'], 0, ['处理完成 3 个图片'],
     [('size', 'top.jpg', '8 8'), ('size', 'a/mid.png.jpg', '8 8'),
      ('size', 'a/嘰/deep.jpg', '8 8'), ('absent', '.hidden')]),
    ('no to the overwrite question keeps the older result', lambda: (
        write(at('no-out', 'a.jpg'), b'older'), source('no', ('a.jpg', '-size 8x8 xc:red')))[1],
     [], 2, ['你取消了本次图片处理'], [('content', 'a.jpg', b'older')]),
    ('yes replaces the sources in place after a quarter turn, no partial file left', lambda: source(
        'in-place', ('a.jpg', '-size 100x50 xc:red'), ('c.png', '-size 100x50 xc:red')),
     ['--yes', '--rotate', '90', '--width', '40', 'SAME'], 0, ['处理完成 2 个图片'],
     [('size', 'a.jpg', '40 80'), ('size', 'c.png.jpg', '40 80'), ('size', 'c.png', '100 50'),
      ('files', ['a.jpg', 'c.png', 'c.png.jpg'])]),
    ('a failed write is logged and not counted', lambda: (
        os.makedirs(at('blocked-out', 'b.jpg')), source(
            'blocked', ('a.jpg', '-size 8x8 xc:red'), ('b.jpg', '-size 8x8 xc:red')))[1],
     ['--yes'], 0, ['保存 ', '\\b.jpg 出错', '处理完成 1 个图片'],
     [('size', 'a.jpg', '8 8'), ('files', ['a.jpg', 'b.jpg'])]),
    ('a mirror that cannot be made ends the run', lambda: (
        write(at('mirror-out', 'a'), b'a file'), source('mirror', ('a/x.jpg', '-size 8x8 xc:red')))[1],
     ['--subfolders'], 3, ['创建图片处理后保存到的文件夹时出错'], []),
    ('a target inside the source tree is refused', lambda: source(
        'inside', ('x.jpg', '-size 8x8 xc:red')), ['--subfolders', 'INSIDE'], 1,
     ['不能将处理后的图片保存到图片源文件夹中的子文件夹里'], []),
    ('Chinese text in a face without Chinese is refused', lambda: source(
        'latin', ('x.jpg', '-size 8x8 xc:red')), ['--text', '店铺', '--font', 'DejaVu Sans'], 1,
     ['当前选择的字体无法正常显示水印文字里的中文，请重新选择一个中文字体。'], []),
    ('a bad option', lambda: at('none'), ['--rotate', '45'], 64, [], []),
    ('Chinese text in blue at the bottom right', lambda: source(
        'text', ('a.jpg', '-size 300x100 xc:#ffffe0')),
     ['--text', '店铺', '--font', 'WenQuanYi Zen Hei', '--font-size', '30', '--font-color',
      '#0000ff', '--text-pos', '2,2', '--text-margins', '10,10'], 0, ['处理完成 1 个图片'],
     [('least', 'a.jpg', (150, 50, 140, 40), (0, 0, 224)), ('least', 'a.jpg', (0, 0, 150, 100), PALE)]),
]
# The watermark image at three places that between them take every side of both axes: red
# inside its box, the source's colour just left of it.
picture(at('mark.png'), '-size', '20x10', 'xc:red')
for pos, (x, y) in [('1,2', (10, 85)), ('0,0', (90, 45)), ('2,1', (170, 5))]:
    ROWS.append((f'the watermark image at {pos}', lambda pos=pos: source(
        'mark' + pos, ('a.jpg', '-size 200x100 xc:#ffffe0')),
        ['--image', at('mark.png'), '--image-pos', pos, '--image-margins', '10,5'], 0, [],
        [('colour', 'a.jpg', (x + 3, y + 3, 14, 4), RED), ('colour', 'a.jpg', (x - 6, y, 3, 10), PALE)]))


def check(kind, out, *args):
    path = os.path.join(out, args[0]) if args and isinstance(args[0], str) else out
    if kind == 'size':
        return facts(path, '%w %h') == args[1]
    if kind == 'quality':
        return facts(path, '%Q') == args[1]
    if kind == 'colour':
        return near(colour(path, args[1]), args[2])
    if kind == 'least':  # blue ink keeps the least blue at the source's, black would not
        return near(colour(path, args[1], 'minima'), args[2])
    if kind == 'absent':
        return not os.path.exists(path)
    if kind == 'content':
        return open(path, 'rb').read() == args[1]
    if kind == 'files':
        return sorted(os.listdir(out)) == args[0]
    raise ValueError(kind)


failed = 0
for name, setup, options, status, lines, checks in ROWS:
    src = setup()
    out = {'SAME': src, 'INSIDE': os.path.join(src, 'out')}.get(options[-1] if options else '',
                                                                src + '-out')
    options = [o for o in options if o not in ('SAME', 'INSIDE')]
    if os.path.exists(os.path.join(program, 'config.dat')):
        os.remove(os.path.join(program, 'config.dat'))
    start = time.time()
    run = subprocess.run([with_wine, os.path.join(program, 'ombrel-batch.exe'), *options, src, out],
                         capture_output=True, text=True, timeout=120)
    wrong = [f'exit status {run.returncode}'] if run.returncode != status else []
    wrong += [f'no line with "{line}"' for line in lines if line not in run.stdout]
    wrong += [f'{kind} {args}' for kind, *args in checks if not check(kind, out, *args)]
    print(f'{"FAILED" if wrong else "ok":8}{name} ({time.time() - start:.1f} s)')
    for w in wrong:
        print(f'        {w}')
    if wrong:
        print(run.stdout + run.stderr)
    failed += bool(wrong)
shutil.rmtree(root)
sys.exit(1 if failed else 0)

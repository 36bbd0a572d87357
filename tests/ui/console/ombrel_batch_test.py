#!/usr/bin/env python3
# ombrel-batch on real pictures: the files a run writes, their pixels, its lines and its exit
# status, one run per row. Usage: ombrel_batch_test.py STAGED_PROGRAM_FOLDER WITH_WINE [english]
# With "english" the rows of names and texts run in the English prefix (code page 1252) and a
# Chinese text is stamped there and in the Chinese prefix alike.
import fcntl, json, os, random, re, shlex, shutil, signal, struct, subprocess, sys, tempfile, time

import hostile

stage, with_wine = map(os.path.abspath, sys.argv[1:3])
ENGLISH = sys.argv[3:] == ['english']
if ENGLISH:  # the prefix is made before the first run, whose time it would take
    os.environ.update(OMBREL_WINE_PREFIX='test-en', OMBREL_WINE_LOCALE='en_US.UTF-8')
    subprocess.run(['bash', '-c', f'. "{os.path.dirname(with_wine)}/env"; '
                    'ombrel_prefix test-en en_US.UTF-8 && ombrel_start_session'], check=True)
root = tempfile.mkdtemp(prefix='ombrel-batch-')
program = os.path.join(root, '嘰 Ombrel')  # the trail byte of 嘰 is 0x5C, a backslash
shutil.copytree(stage, program, symlinks=True)
RED, BLUE, WHITE, PALE = (255, 0, 0), (0, 0, 255), (255, 255, 255), (255, 255, 224)


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


# The upright picture of recipe stored as a camera turned it, with the EXIF orientation tag
# that tells a viewer how to turn it back.
def turned(orientation, recipe):
    undo = ['', '-flop', '-rotate 180', '-flip', '-transpose', '-rotate 270', '-transverse',
            '-rotate 90'][orientation - 1]
    def make(path):
        picture(path, *shlex.split(recipe), *shlex.split(undo))
        entry = struct.pack('>HHIHH', 0x112, 3, 1, orientation, 0)  # one SHORT, the orientation
        exif = b'Exif\0\0MM\0*\0\0\0\x08\0\x01' + entry + b'\0' * 4
        data = open(path, 'rb').read()
        write(path, data[:2] + b'\xff\xe1' + struct.pack('>H', len(exif) + 2) + exif + data[2:])
    return make


# A minimal ICC profile (a header and a description) of a colour space: b'RGB ' or b'CMYK'.
def icc_profile(space, description):
    text = description.encode() + b'\0'
    desc = b'desc\0\0\0\0' + struct.pack('>I', len(text)) + text + b'\0' * 78
    header = struct.pack('>I4sI4s4s4s', 144 + len(desc), b'none', 0x02100000, b'mntr', space,
                         b'XYZ ') + b'\0' * 12 + b'acsp' + b'\0' * 24 + \
        struct.pack('>iii', 63190, 65536, 54061) + b'\0' * 52
    return header + struct.pack('>I4sII', 1, b'desc', 144, len(desc)) + desc


# The picture of recipe with the metadata that exiftool's assignments put in (<= reads a file).
def tagged(recipe, *assignments):
    def make(path):
        picture(path, *shlex.split(recipe))
        subprocess.run(['exiftool', '-q', '-n', '-overwrite_original', *assignments, path],
                       check=True, cwd=root)
    return make


# Every tag exiftool finds, by group and name ("EXIF:Make"), numbers as numbers; None without
# a file.
def tags(path):
    return json.loads(subprocess.run(['exiftool', '-j', '-G', '-n', path], capture_output=True,
                                     text=True).stdout or '[null]')[0]


def icc_of(path):
    return subprocess.run(['exiftool', '-b', '-ICC_Profile', path], capture_output=True).stdout


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


# A source folder of the row's own; each file is (name, recipe, bytes or maker). Its files as
# made are kept for the check that they are unchanged.
made = {}


def source(name, *files):
    os.makedirs(at(name), exist_ok=True)
    for file, content in files:
        if isinstance(content, bytes):
            write(at(name, file), content)
        elif callable(content):
            content(at(name, file))
        else:
            picture(at(name, file), *shlex.split(content))
    made[at(name)] = {f: open(at(name, f), 'rb').read() for f in os.listdir(at(name))
                      if os.path.isfile(at(name, f))}
    return at(name)


def config(name, text):
    write(os.path.join(program, name), text.encode())


HALF = "-size 40x20 xc:none -fill red -draw 'rectangle 20,0 39,19'"
PHOTO = '-size 400x300 gradient:red-blue -quality 90'
BIG, SMALL = '-size 2000x1500 gradient:red-blue', '-size 8x8 xc:red'
# A red corner that shows which way up the picture is.
UPRIGHT = "-size 300x200 xc:#ffffe0 -fill red -draw 'rectangle 0,0 59,39'"
picture(at('mark.png'), '-size', '20x10', 'xc:red')
picture(at('blue.png'), '-size', '20x10', 'xc:blue')
MIXED = ['--width', '300', '--text', 'T', '--font', 'DejaVu Sans', '--image', at('mark.png'),
         '--image-pos', '1,1']
CONFIG = os.path.join(program, 'config.dat')
OPTIONS = os.path.join(program, 'options.ini')
NOISY = '-seed 4 -size 1000x750 plasma:tan-navy +noise Gaussian -quality 92'
CACHE = os.path.join(program, 'cache')
held = []


# A name that makes the path of folder\name (under Wine, Z: and the Unix path) `length` bytes.
def long_name(folder, length, ext=''):
    return 'n' * (length - len('Z:' + at(folder)) - 1 - len(ext)) + ext


# A scratch folder of the library as a run leaves it; its lock held by this test when held.
def scratch(name, held_by_test=False):
    write(os.path.join(CACHE, name, 'magick-left'), b'pixels')
    held.append(open(os.path.join(CACHE, name, 'lock'), 'wb'))
    if held_by_test:
        fcntl.lockf(held[-1], fcntl.LOCK_EX | fcntl.LOCK_NB, 1, 0)


write(at('srgb.icc'), icc_profile(b'RGB ', 'sRGB test'))
write(at('adobe.icc'), icc_profile(b'RGB ', 'Adobe RGB (1998) test'))
write(at('cmyk.icc'), icc_profile(b'CMYK', 'CMYK test'))
picture(at('thumb.jpg'), '-size', '16x12', 'xc:blue')
# A phone's photo, taken turned: its camera, place and time, a thumbnail, XMP and IPTC that name
# the place too, a comment, and its colour profile.
PHONE = tagged(UPRIGHT + ' -rotate 270',
               '-Make=Phone', '-Model=P1', '-SerialNumber=A123', '-Orientation=6',
               '-ExposureTime=0.01', '-GPSLatitude=31.2304', '-GPSLatitudeRef=N',
               '-GPSLongitude=121.4737', '-GPSLongitudeRef=E', '-ThumbnailImage<=thumb.jpg',
               '-XMP-exif:GPSLatitude=31.2304', '-XMP-photoshop:City=Shanghai',
               '-IPTC:City=Shanghai', '-Comment=shop', '-ICC_Profile<=srgb.icc')
# What a result may not carry: camera data, location, thumbnail, XMP, IPTC, a comment.
METADATA = ['EXIF:', 'XMP:', 'IPTC:', 'Photoshop:', 'File:Comment']
LOCATION = ['EXIF:GPS', 'EXIF:Thumbnail', 'XMP:', 'IPTC:', 'Photoshop:', 'File:Comment']
# A 80x40 BGRA picture whose left half is transparent.
HALF_WIDE = "-size 80x40 xc:none -fill red -draw 'rectangle 40,0 79,39'"
# Korean, an emoji, CJK Extension B and accented Latin, below a source folder of 275 characters.
WORLD_FILES = ['상품.jpg', '👍.jpg', '𠀋.jpg', 'naïve.jpg', 'Straße.jpg', '한국/a.jpg',
               'Straße dir/b.jpg']
WORLD = [os.path.join('world', long_name('world', 275))] + [(f, SMALL) for f in WORLD_FILES]
SAMPLE = ['--text', '样品', '--font', 'WenQuanYi Zen Hei', '--font-size', '30', '--text-pos', '2,2']
ROWS = [
    ('hostile pictures end with their lines, the healthy ones beside them are written', lambda: (
        hostile.make_cases(at('hostile')), source('hostile', ('ok.jpg', PHOTO), ('ok.png', HALF)))[1],
     ['--width', '400'], 4,
     [f'\\{name}{end}' for name, _, end in hostile.CASES] +
     [(2, sum(end == hostile.READ for *_, end in hostile.CASES), 1)],
     [('size', 'ok.jpg', '400 300'), ('files', ['ok.jpg', 'ok.png.jpg']), ('unchanged', 'hostile')]),
    ('a 48-megapixel camera picture is processed without a width', lambda: source(
        'camera', ('camera.jpg', '-size 8000x6000 gradient:tan-navy -quality 90')), [], 0,
     [(1, 0, 0)], [('size', 'camera.jpg', '8000 6000')]),
    ('results beside their sources: none replaces another source or a read-only one, none is open '
     'to more users, a name as long as a readable path allows is written', lambda: (source(
         'beside', ('p.png', HALF), ('p.png.jpg', '-size 30x30 xc:blue'), ('private.jpg', PHOTO),
         ('shared.jpg', PHOTO), ('locked.jpg', PHOTO), (long_name('beside', 259, '.jpg'), PHOTO)),
         [os.chmod(at('beside', f), m) for f, m in [('private.jpg', 0o600), ('shared.jpg', 0o644),
                                                     ('locked.jpg', 0o444)]])[0],
     ['--yes', '--width', '20', 'SAME'], 4,
     ['\\p.png 的处理结果 ,它会覆盖图片源文件 ', '\\beside\\p.png.jpg', '\\locked.jpg 出错', (4, 2, 0)],
     [('size', 'p.png.jpg', '20 20'), ('size', long_name('beside', 259, '.jpg'), '20 15'),
      ('mode', 'private.jpg', 0o707, 0o600), ('mode', 'shared.jpg', 0o777, 0o644),
      ('unchanged', 'beside', 'locked.jpg', 'p.png')]),
    ('names in every script, in a tree whose paths pass 260 characters, keep their names',
     lambda: source(*WORLD), ['--subfolders', '--width', '4'], 0,
     [(len(WORLD_FILES), 0, 0)],
     [('files', sorted(['한국', 'Straße dir'] + [f for f in WORLD_FILES if '/' not in f])),
      *[('size', f, '4 4') for f in WORLD_FILES]]),
    ('a Chinese text is stamped as its characters', lambda: source(
        'sample', ('a.jpg', '-size 200x80 xc:white')), SAMPLE, 0, [(1, 0, 0)],
     [('least', 'a.jpg', (60, 20, 80, 40), (0, 0, 0)), ('colour', 'a.jpg', (0, 0, 40, 80), WHITE)]),
    ("a start removes the scratch folders of ended runs, never a running one's", lambda: (
        scratch('99999'), scratch('88888', held_by_test=True), source('scratch', ('a.jpg', PHOTO)))[2],
     [], 0, [(1, 0, 0)], [('cache', ['88888'])]),
    ('every kind of source, flat', lambda: source(
        'kinds', ('a.jpg', '-size 1000x600 xc:green -quality 95'), ('b.png', HALF),
        ('c.gif', HALF), ('d.gif', '-delay 20 -size 8x8 xc:red xc:blue'),
        ('e.jpg', b'not an image'), ('f.jpg', b'<svg width="4" height="4"/>'),
        ('q80.jpg', '-size 20x20 xc:gray -quality 80'), ('sub/x.jpg', '-size 8x8 xc:red')),
     ['--width', '750'], 4, ['\\d.gif ,这是一个gif动画图片', '读取 ', '\\e.jpg 出错', '\\f.jpg 出错', (4, 2, 1)],
     [('size', 'a.jpg', '750 450'), ('quality', 'a.jpg', '90'), ('quality', 'q80.jpg', '80'),
      ('channels', 'q80.jpg', 'gray'),
      ('colour', 'b.png.jpg', (2, 2, 16, 16), WHITE), ('colour', 'b.png.jpg', (22, 2, 16, 16), RED),
      ('colour', 'c.gif.jpg', (2, 2, 16, 16), WHITE), ('absent', 'd.gif.jpg'),
      ('absent', 'e.jpg'), ('absent', 'sub')]),
    ('a mixed folder on one worker', lambda: source(
        'mixed', ('0-cut.jpg', hostile.damaged('-size 3000x2000 gradient:red-blue -interlace JPEG',
                                               keep=0.4)),
        ('a.jpg', PHOTO), ('b.png', HALF), ('c.gif', HALF), ('d.gif', '-delay 20 -size 8x8 xc:red xc:blue'),
        ('e.jpg', b'not an image'), ('f.png', '-size 64x48 xc:teal')), MIXED + ['--jobs', '1'], 4,
     [(4, 2, 1)], []),
    ('four workers write what one writes, byte for byte, and log in list order', lambda: at('mixed'), MIXED + ['--jobs', '4', 'TO:mixed-4'], 4, [(4, 2, 1)],
     [('same as', 'mixed-out'), ('in order', ['\\0-cut.jpg 出错', '\\d.gif ,这是', '\\e.jpg 出错'])]),
    ('a shrink on load gives the exact height, of the upright picture', lambda: source(
        'odd', ('wide.jpg', '-size 2800x2007 xc:orange'), ('tall.jpg', '-size 1601x4803 xc:teal'),
        ('tall-turned.jpg', turned(6, '-size 1601x4803 xc:teal'))),
     ['--width', '700'], 0, [(3, 0, 0)],
     [('size', 'wide.jpg', '700 501'), ('size', 'tall.jpg', '700 2100'),
      ('size', 'tall-turned.jpg', '700 2100')]),
    ('a phone photo in each of the eight orientations comes out upright', lambda: source(
        'turned', *[(f'{o}.jpg', turned(o, UPRIGHT)) for o in range(1, 9)]),
     ['--width', '150', '--image', at('blue.png'), '--image-pos', '2,2', '--image-margins', '5,5',
      '--text', 'T', '--font', 'DejaVu Sans', '--font-size', '20', '--text-pos', '2,1'], 0,
     [(8, 0, 0)],
     [check for o in range(1, 9) for check in [
         ('size', f'{o}.jpg', '150 100'), ('orientation', f'{o}.jpg', '1'),
         ('colour', f'{o}.jpg', (2, 2, 10, 10), RED), ('colour', f'{o}.jpg', (128, 88, 14, 4), BLUE),
         ('least', f'{o}.jpg', (100, 0, 50, 50), (0, 0, 0))]]),
    ('a result keeps its colour profile and no other metadata', lambda: source(
        'meta', ('phone.jpg', PHONE),
        ('adobe.jpg', tagged(PHOTO, '-ICC_Profile<=adobe.icc')),
        ('cmyk.jpg', tagged('-size 40x30 xc:red -colorspace CMYK', '-ICC_Profile<=cmyk.icc'))),
     ['--width', '150'], 0, [(3, 0, 0)],
     [('size', 'phone.jpg', '150 100'), ('tags', 'phone.jpg', {}, METADATA),
      ('profile', 'phone.jpg', 'srgb.icc'), ('profile', 'adobe.jpg', 'adobe.icc'),
      ('profile', 'cmyk.jpg', None)]),
    ('--keep-metadata keeps the EXIF block, upright, without location and thumbnail',
     lambda: at('meta'), ['--width', '150', '--keep-metadata', 'TO:meta-kept'], 0, [(3, 0, 0)],
     [('tags', 'phone.jpg', {'EXIF:Make': 'Phone', 'EXIF:SerialNumber': 'A123',
                             'EXIF:ExposureTime': 0.01, 'EXIF:Orientation': 1}, LOCATION),
      ('colour', 'phone.jpg', (2, 2, 10, 10), RED), ('profile', 'phone.jpg', 'srgb.icc')]),
    ('a BMP with transparency is laid on white as its PNG twin is, text over it included; one '
     'whose alpha is zero everywhere is opaque', lambda: source(
         'alpha', ('half.bmp', HALF_WIDE), ('half.png', HALF_WIDE),
         ('zero.bmp', '-size 80x40 xc:red -alpha set -channel A -evaluate set 0 +channel')),
     ['--text', 'TT', '--font', 'DejaVu Sans', '--font-size', '20', '--font-color', '#0000ff',
      '--text-pos', '1,1', '--text-margins', '2,2'], 0, [(3, 0, 0)],
     [('colour', 'half.bmp.jpg', (2, 30, 30, 8), WHITE), ('colour', 'half.bmp.jpg', (50, 10, 20, 20), RED),
      ('least', 'half.bmp.jpg', (0, 0, 40, 30), (0, 0, 255)), ('alike', 'half.bmp.jpg', 'half.png.jpg'),
      ('colour', 'zero.bmp.jpg', (50, 25, 25, 12), RED)]),
    ('a GIF shown at once is its whole canvas; one frame is still whatever its delay', lambda: source(
        'frames', ('two.gif', '-delay 0 -size 200x150 xc:blue ( -size 140x127 xc:red -repage +30+10 )'),
        ('offset.gif', '-size 50x50 xc:red -repage 75x50+25+0'),
        ('one.gif', '-delay 20 -size 30x20 xc:green'), ('moving.gif', '-delay 20 -size 8x8 xc:red xc:blue')),
     [], 0, ['\\moving.gif ,这是一个gif动画图片', (3, 0, 1)],
     [('size', 'two.gif.jpg', '200 150'), ('colour', 'two.gif.jpg', (2, 2, 20, 5), BLUE),
      ('colour', 'two.gif.jpg', (40, 20, 120, 100), RED), ('size', 'offset.gif.jpg', '75 50'),
      ('colour', 'offset.gif.jpg', (2, 2, 20, 46), WHITE), ('colour', 'offset.gif.jpg', (30, 2, 40, 46), RED),
      ('size', 'one.gif.jpg', '30 20'), ('absent', 'moving.gif.jpg')]),
    ('a JPEG cut short is a failed read, a harmless warning is not', lambda: source(
        'damaged', ('whole.jpg', PHOTO), ('half.jpg', hostile.damaged(PHOTO, keep=0.5)),
        ('junk.jpg', hostile.damaged(PHOTO, junk=True)), ('junk-half.jpg', hostile.damaged(PHOTO, True, 0.5)),
        ('empty.jpg', b'')), [], 4,
     ['\\half.jpg 出错', '\\junk-half.jpg 出错', '\\empty.jpg 出错', (2, 3, 0)],
     [('size', 'junk.jpg', '400 300'), ('absent', 'half.jpg'), ('absent', 'junk-half.jpg')]),
    ('the folder tree is mirrored, names with 0x5C included', lambda: source(
        '嘰', ('top.jpg', '-size 8x8 xc:red'), ('a/mid.png', '-size 8x8 xc:red'),
        ('a/嘰/deep.jpg', '-size 8x8 xc:red'), ('.hidden/no.jpg', '-size 8x8 xc:red')),
     ['--subfolders'], 0, [(3, 0, 0)],
     [('size', 'top.jpg', '8 8'), ('size', 'a/mid.png.jpg', '8 8'),
      ('size', 'a/嘰/deep.jpg', '8 8'), ('absent', '.hidden')]),
    ('no to the overwrite question in the middle of the list: what came before is written, '
     'nothing from it on', lambda: (write(at('collide-out', 'c.jpg'), b'older'), source(
         'collide', ('a.jpg', BIG), ('b.jpg', BIG), ('c.jpg', SMALL), ('d.jpg', SMALL),
         ('e.jpg', SMALL)))[1], ['--jobs', '4'], 2, ['你取消了本次图片处理', (2, 0, 0)],
     [('files', ['a.jpg', 'b.jpg', 'c.jpg']), ('content', 'c.jpg', b'older')]),
    ('yes to it writes them all', lambda: (write(at('collide-yes', 'c.jpg'), b'older'),
                                           at('collide'))[1], ['--yes', 'TO:collide-yes'], 0,
     [(5, 0, 0)], [('files', ['a.jpg', 'b.jpg', 'c.jpg', 'd.jpg', 'e.jpg']), ('size', 'c.jpg', '8 8')]),
    ('no in the first folder of a tree makes no mirror of a later one', lambda: (
        write(at('tree-no-out', 'a.jpg'), b'older'), source(
            'tree-no', ('a.jpg', SMALL), ('x/y.jpg', SMALL)))[1], ['--subfolders'], 2, [(0, 0, 0)],
     [('files', ['a.jpg'])]),
    ('yes replaces the sources in place after a quarter turn, and opens nothing', lambda: source(
        'in-place', ('a.jpg', '-size 100x50 xc:red'), ('c.png', '-size 100x50 xc:red')),
     ['--yes', '--rotate', '90', '--width', '40', 'SAME'], 0, [(2, 0, 0)],
     [('size', 'a.jpg', '40 80'), ('size', 'c.png.jpg', '40 80'), ('size', 'c.png', '100 50'),
      ('files', ['a.jpg', 'c.png', 'c.png.jpg']), ('no line', '打开目标文件夹')]),
    ('a failed write in the middle is logged and not counted', lambda: (
        os.makedirs(at('blocked-out', 'b.jpg')), source(
            'blocked', ('a.jpg', SMALL), ('b.jpg', SMALL), ('c.jpg', SMALL)))[1],
     ['--yes'], 4, ['保存 ', '\\b.jpg 出错', (2, 1, 0)],
     [('size', 'a.jpg', '8 8'), ('size', 'c.jpg', '8 8'), ('files', ['a.jpg', 'b.jpg', 'c.jpg'])]),
    ('a mirror that cannot be made ends the run', lambda: (
        write(at('mirror-out', 'a'), b'a file'), source('mirror', ('a/x.jpg', '-size 8x8 xc:red')))[1],
     ['--subfolders'], 3, ['创建图片处理后保存到的文件夹时出错', (0, 0, 0)], []),
    ('a target inside the source tree is refused', lambda: source(
        'inside', ('x.jpg', '-size 8x8 xc:red')), ['--subfolders', 'INSIDE'], 1,
     ['不能将处理后的图片保存到图片源文件夹中的子文件夹里'], []),
    ('Chinese text in a face without Chinese is refused', lambda: source(
        'latin', ('x.jpg', '-size 8x8 xc:red')), ['--text', '店铺', '--font', 'DejaVu Sans'], 1,
     ['当前选择的字体无法正常显示水印文字里的中文，请重新选择一个中文字体。'], []),
    ('--width 0 is refused as the window refuses it', lambda: at('latin'), ['--width', '0'], 1,
     ['图片宽取值范围: 1 - 9999'], []),
    *[(f'{" ".join(args)} is refused as the dialog refuses it', lambda: at('latin'), args, 1, [says], [])
      for args, says in [(['--slice', '50'], '切片高度取值范围: 100 - 9999'),
                         (['--fit', '900x900', '--canvas', '800x800'], '画布不能小于'),
                         (['--rename', '主图'], '必须含有 {n} 或 {name}')]],
    ('a greyscale photo keeps blue text and a red watermark image', lambda: source(
        'grey', ('a.jpg', '-size 300x100 xc:#e0e0e0')),
     ['--text', '店铺', '--font', 'WenQuanYi Zen Hei', '--font-size', '30', '--font-color',
      '#0000ff', '--text-pos', '2,2', '--text-margins', '10,10', '--image', at('mark.png'),
      '--image-pos', '1,2', '--image-margins', '10,5'], 0, [(1, 0, 0)],
     [('least', 'a.jpg', (150, 50, 140, 40), (0, 0, 224)), ('colour', 'a.jpg', (13, 88, 14, 4), RED),
      ('least', 'a.jpg', (40, 0, 100, 100), (224, 224, 224))]),
    ('paths relative to where it is started', lambda: source(
        'rel', ('a.jpg', '-size 200x100 xc:#ffffe0')),
     ['--image', 'mark.png', '--image-pos', '1,1', '--image-margins', '10,5', 'RELATIVE'], 0,
     [(1, 0, 0)], [('colour', 'a.jpg', (13, 8, 14, 4), RED)]),
    ('a run starts from config.dat and leaves it alone', lambda: (
        config('config.dat', 'quanlity=6\n'), source('stored', ('a.jpg', PHOTO + ' -quality 95')))[1],
     [], 0, [(1, 0, 0)], [('quality', 'a.jpg', '70'), ('content', CONFIG, b'quanlity=6\n')]),
    ('--defaults starts from the defaults', lambda: (
        config('config.dat', 'quanlity=6\n'), config('options.ini', 'rename=1\nrename_pattern=p{n}\n'),
        at('stored'))[2], ['--defaults', '--yes'], 0,
     [(1, 0, 0)], [('quality', 'a.jpg', '90'), ('files', ['a.jpg']), ('content', CONFIG, b'quanlity=6\n')]),
    ('a run takes the steps of options.ini and leaves it alone', lambda: (
        config('options.ini', 'rename=1\nrename_pattern=p{n}\n'), at('stored'))[1], ['TO:stored-p'], 0,
     [(1, 0, 0)], [('files', ['p1.jpg']), ('content', OPTIONS, b'rename=1\nrename_pattern=p{n}\n')]),
    ('--save keeps the run in config.dat, its quality a JPEG quality', lambda: at('stored'),
     ['--save', '--quality', '85', '--yes'], 0, [(1, 0, 0)],
     [('quality', 'a.jpg', '85'), ('holds', CONFIG, 'quanlity=3\r\n')]),
    ('--settings FILE --save keeps the run in FILE', lambda: (
        config('config.dat', 'quanlity=6\n'), write(at('other.dat'), b'quanlity=8\n'), at('stored'))[2],
     ['--settings', at('other.dat'), '--save', '--width', '40', '--max-kb', '500', '--yes'], 0,
     [(1, 0, 0)], [('quality', 'a.jpg', '60'), ('holds', at('other.dat'), 'width=40\r\nquanlity=8\r\n'),
      ('holds', at('options.ini'), 'max_kb=1\r\n'), ('absent', OPTIONS),
      ('content', CONFIG, b'quanlity=6\n')]),
    ('a square main image: the picture shrunk into the canvas, centred on white bars', lambda: source(
        'square', ('wide.jpg', '-size 4000x3000 xc:red'), ('tall.jpg', '-size 600x900 xc:blue')),
     ['--canvas', '800x800'], 0, [(2, 0, 0)],
     [('size', 'wide.jpg', '800 800'), ('colour', 'wide.jpg', (0, 0, 800, 95), WHITE),
      ('colour', 'wide.jpg', (0, 105, 800, 590), RED), ('colour', 'wide.jpg', (0, 705, 800, 95), WHITE),
      ('size', 'tall.jpg', '800 800'), ('colour', 'tall.jpg', (0, 0, 128, 800), WHITE),
      ('colour', 'tall.jpg', (138, 0, 524, 800), BLUE), ('colour', 'tall.jpg', (671, 0, 129, 800), WHITE)]),
    ('a box inside a canvas of a colour', lambda: at('square'),
     ['--fit', '700x700', '--canvas', '800x800,#FFFFE0', 'TO:square-pale'], 0, [(2, 0, 0)],
     [('size', 'wide.jpg', '800 800'), ('colour', 'wide.jpg', (0, 0, 800, 130), PALE),
      ('colour', 'wide.jpg', (0, 0, 45, 800), PALE), ('colour', 'wide.jpg', (55, 145, 690, 510), RED)]),
    ('a long detail page in slices, each with its watermark', lambda: source(
        'long', ('page.jpg', '-size 750x4000 xc:#ffffe0')),
     ['--slice', '1500', '--image', at('mark.png'), '--image-pos', '2,2', '--image-margins', '10,5'],
     0, [(1, 0, 0)],
     [('files', ['page-1.jpg', 'page-2.jpg', 'page-3.jpg']), ('size', 'page-3.jpg', '750 1000'),
      *[check for k, h in [(1, 1500), (2, 1500), (3, 1000)] for check in [
          ('size', f'page-{k}.jpg', f'750 {h}'), ('colour', f'page-{k}.jpg', (723, h - 12, 14, 4), RED)]]]),
    ('a watermark image sized as a share of the width, on two sizes', lambda: source(
        'scaled', ('small.jpg', '-size 400x300 xc:#ffffe0'), ('large.jpg', '-size 1200x900 xc:#ffffe0')),
     ['--image', at('mark.png'), '--image-scale', '25', '--image-pos', '1,1', '--image-margins', '0,0'],
     0, [(2, 0, 0)],
     [('colour', 'small.jpg', (5, 5, 90, 40), RED), ('colour', 'small.jpg', (105, 5, 20, 40), PALE),
      ('colour', 'large.jpg', (5, 5, 290, 140), RED), ('colour', 'large.jpg', (305, 5, 20, 140), PALE)]),
    ('a text sized as a share of the width: as high again on a picture twice as wide', lambda: source(
        'text-scaled', ('small.jpg', '-size 400x300 xc:white'), ('large.jpg', '-size 800x600 xc:white')),
     ['--text', '样', '--font', 'WenQuanYi Zen Hei', '--text-scale', '10', '--text-pos', '1,1',
      '--text-margins', '0,0'], 0, [(2, 0, 0)],
     [('colour', 'small.jpg', (0, 48, 400, 250), WHITE), ('least', 'large.jpg', (0, 50, 100, 20), (0, 0, 0)),
      ('colour', 'large.jpg', (0, 96, 800, 500), WHITE)]),
    ('a noisy photo under a 150 KB cap fits it', lambda: source('cap', ('noisy.jpg', NOISY)),
     ['--max-kb', '150'], 0, [(1, 0, 0)], [('at most', 'noisy.jpg', 150 * 1024)]),
    ('a cap no quality meets: the file at 30 and a line', lambda: at('cap'),
     ['--max-kb', '10', 'TO:cap-10'], 0, ['超过 10 KB 的上限', (1, 0, 0)], [('quality', 'noisy.jpg', '30')]),
    ('names by a pattern, numbered', lambda: source(
        'named', ('a.jpg', SMALL), ('b.png', SMALL), ('c.gif', SMALL)), ['--rename', 'SKU-{n:03}'], 0,
     [(3, 0, 0)], [('files', ['SKU-001.jpg', 'SKU-002.jpg', 'SKU-003.jpg'])]),
    ('two sources of one new name: the second is refused, not written over the first', lambda: source(
        'twins', ('a.jpg', SMALL), ('a.png', SMALL), ('b.bmp', SMALL)), ['--rename', '{name}'], 4,
     ['的处理结果 ,它会覆盖 ', (2, 1, 0)], [('files', ['a.jpg', 'b.jpg'])]),
    ('options.ini with every step off changes no byte', lambda: (config(
        'options.ini', 'fit=0\nfit_width=10\ncanvas=0\nslice=0\nslice_height=100\nrename=0\n'),
        at('mixed'))[1], MIXED + ['--jobs', '1', 'TO:mixed-off'], 4, [(4, 2, 1)], [('same as', 'mixed-out')]),
    ('progress goes to a terminal, the lines to the output', lambda: at('stored'),
     ['--yes', 'TERMINAL'], 0, [(1, 0, 0)], [('terminal', '个/秒 a.jpg')]),
]
# The watermark image at three places that between them take every side of both axes: red
# inside its box, the source's colour just left of it.
for pos, (x, y) in [('1,2', (10, 85)), ('0,0', (90, 45)), ('2,1', (170, 5))]:
    ROWS.append((f'the watermark image at {pos}', lambda pos=pos: source(
        'mark' + pos, ('a.jpg', '-size 200x100 xc:#ffffe0')),
        ['--image', at('mark.png'), '--image-pos', pos, '--image-margins', '10,5'], 0, [],
        [('colour', 'a.jpg', (x + 3, y + 3, 14, 4), RED), ('colour', 'a.jpg', (x - 6, y, 3, 10), PALE)]))
# In the English prefix: the rows of names and texts, and the Chinese text as the Chinese prefix
# stamps it.
if ENGLISH:
    ROWS = [row for row in ROWS if row[0].startswith(('names in every script', 'a Chinese text'))] + [
        ('the Chinese prefix stamps the very same pixels', lambda: at('sample'),
         SAMPLE + ['TO:sample-zh', 'CHINESE'], 0, [(1, 0, 0)], [('same as', 'sample-out')])]
# What the window would cut or cannot show is a usage error: one line, nothing run.
for args, says in [] if ENGLISH else [(['--width', '99999'], '--width 99999'), (['--rotate', '45'], '--rotate 45'),
                   (['--quality', '87'], '100, 95, 90, 85, 80, 75, 70, 65, 60, 55, 50'),
                   (['--text-opacity', '55'], '100, 90, 80'), (['--text-pos', '9,9'], '9,9'),
                   (['--text-margins', '5,12345'], '5,12345'), (['--image', 'none.png'], 'no such file'),
                   (['--font', 'No Such Face'], 'no such font'), (['--jobs', '0'], 'from 1 to 64'),
                   (['--fit', '800'], 'not WxH'), (['--canvas', '8x8,red'], 'not #rrggbb')]:
    ROWS.append((f'usage error: {" ".join(args)}', lambda: at('latin'), args, 64,
                 [says, 'see --help'], [('one line',)]))


def check(kind, out, output, *args):
    path = os.path.join(out, args[0]) if args and isinstance(args[0], str) else out
    if kind == 'size':
        return facts(path, '%w %h') == args[1]
    if kind == 'quality':
        return facts(path, '%Q') == args[1]
    if kind == 'channels':  # a grey picture stays as small as one channel keeps it
        return facts(path, '%[channels]') == args[1]
    if kind == 'orientation':  # none, or the one that was asked for
        return facts(path, '%[EXIF:Orientation]') in ('', args[1])
    if kind == 'colour':
        return near(colour(path, args[1]), args[2])
    if kind == 'least':  # blue ink keeps the least blue at the source's, black would not
        return near(colour(path, args[1], 'minima'), args[2])
    if kind == 'tags':  # these values, and no tag of these groups or names
        found = tags(path)
        return found is not None and all(found.get(t) == v for t, v in args[1].items()) and \
            not [t for t in found for gone in args[2] if t.startswith(gone)]
    if kind == 'profile':  # the colour profile of that file, or none
        return icc_of(path) == (open(at(args[1]), 'rb').read() if args[1] else b'')
    if kind == 'alike':  # two results the same to the eye
        run = subprocess.run(['compare', '-metric', 'RMSE', path, os.path.join(out, args[1]),
                              'null:'], capture_output=True, text=True)
        found = re.search(r'\(([0-9.e-]+)\)', run.stderr)
        return bool(found) and float(found[1]) < 0.02
    if kind == 'absent':
        return not os.path.exists(path)
    if kind == 'at most':  # bytes
        return os.path.getsize(path) <= args[1]
    if kind == 'content':
        return open(path, 'rb').read() == args[1]
    if kind == 'holds':
        return args[1] in open(path, encoding='ascii', newline='').read()
    if kind == 'files':
        return sorted(os.listdir(out)) == args[0]
    if kind == 'no line':
        return args[0] not in output
    if kind == 'one line':
        return len(output.strip().splitlines()) == 1
    if kind == 'terminal':
        return args[0] in ' '.join(terminal.split())
    if kind == 'unchanged':  # the source folder's files, or those named, as made
        files = made[at(args[0])]
        return all(open(at(args[0], f), 'rb').read() == files[f] for f in args[1:] or files)
    if kind == 'mode':  # under a mask: Wine gives the group the owner's bits
        return os.stat(path).st_mode & args[1] == args[2]
    if kind == 'same as':  # the same files, byte for byte, as another run's target
        other = at(args[0])
        return sorted(os.listdir(out)) == sorted(os.listdir(other)) and all(
            open(os.path.join(out, f), 'rb').read() == open(os.path.join(other, f), 'rb').read()
            for f in os.listdir(other))
    if kind == 'in order':
        found = [output.find(line) for line in args[0]]
        return -1 not in found and found == sorted(found)
    if kind == 'cache':
        return sorted(os.listdir(CACHE)) == args[0]
    raise ValueError(kind)


# Runs ombrel-batch on src into out under the memory watchdog; TERMINAL puts its standard error
# on a terminal of its own (the terminal's text is kept), RELATIVE names the folders relative to
# where it starts. The completed run and whether the watchdog struck.
def run_batch(options, src, out):
    global terminal
    how = options[-1] if options and options[-1] in ('TERMINAL', 'RELATIVE', 'CHINESE') else ''
    program_args = [os.path.join(program, 'ombrel-batch.exe'), *options[:len(options) - bool(how)]]
    if how == 'CHINESE':
        env = dict(os.environ, OMBREL_WINE_PREFIX='test', OMBREL_WINE_LOCALE='zh_CN.UTF-8')
        return hostile.guarded([with_wine, *program_args, src, out], env=env)
    if how == 'RELATIVE':
        return hostile.guarded([with_wine, *program_args, os.path.basename(src),
                                os.path.basename(out)], cwd=root)
    if how != 'TERMINAL':
        return hostile.guarded([with_wine, *program_args, src, out])
    inner = f'. {shlex.quote(os.path.join(os.path.dirname(with_wine), "env"))}; ombrel_prefix test; ' \
            f'exec wine "$@" >{shlex.quote(at("output"))} </dev/null'
    run, struck = hostile.guarded(['script', '-qec', shlex.join(['bash', '-c', inner, 'bash',
                                                                 *program_args, src, out]), '/dev/null'])
    # The console draws with escape sequences, a run of blanks as a cursor step among them.
    terminal = re.sub(r'(\x1b\[[0-9;?]*[A-Za-z])+', ' ', run.stdout)
    run.stdout = open(at('output')).read()
    return run, struck


def report(name, wrong, output=''):
    print(f'{"FAILED" if wrong else "ok":8}{name}', *[f'\n        {w}' for w in wrong],
          '\n' + output if wrong and output else '', sep='')
    return bool(wrong)


failed = 0
summary = '已处理 {} 个图片，失败 {} 个，跳过 {} 个，用时 [0-9.]+ 秒'
for name, setup, options, status, lines, checks in ROWS:
    for stored in (CONFIG, OPTIONS):
        if os.path.exists(stored):
            os.remove(stored)
    src = setup()
    out = {'SAME': src, 'INSIDE': os.path.join(src, 'out')}.get(options[-1] if options else '',
                                                                src + '-out')
    out = next((at(o[3:]) for o in options if o.startswith('TO:')), out)
    options = [o for o in options if o not in ('SAME', 'INSIDE') and not o.startswith('TO:')]
    start = time.time()
    run, struck = run_batch(options, src, out)
    output = run.stdout + run.stderr
    last = output.strip().splitlines()[-1] if output.strip() else ''
    wrong = ['killed by the memory watchdog'] if struck else []
    wrong += [f'exit status {run.returncode}'] if run.returncode != status else []
    wrong += ['progress in the output'] if '个/秒' in output else []
    wrong += [f'no line with "{line}"' for line in lines if isinstance(line, str) and line not in output]
    wrong += [f'last line not the summary {line}' for line in lines
              if isinstance(line, tuple) and not re.fullmatch(summary.format(*line), last)]
    wrong += [f'{kind} {args}' for kind, *args in checks if not check(kind, out, output, *args)]
    failed += report(f'{name} ({time.time() - start:.1f} s)', wrong, output)


# A run that replaces its sources, killed at random moments: every original stays as it was or
# becomes a whole result, and nothing is left that a later run would take for a source. A last
# run goes to its end and removes the killed runs' scratch folders and partial results.
def killed_runs(kills=5):
    src = source('killed', *[(f'{i}.jpg', '-size 1600x1200 gradient:red-blue') for i in range(6)])
    command = ['wine', os.path.join(program, 'ombrel-batch.exe'), '--defaults', '--yes', '--width',
               '300', src, src]
    cache_before, moments, wrong = sorted(os.listdir(CACHE)), [], []
    for k in range(kills + 1):  # killed when its time is up; the last one has all the time
        moments.append(round(random.uniform(0.1, 1.5), 2) if k < kills else 120)
        run, _ = hostile.guarded(command, timeout=moments[-1])
        wrong += ['the last run failed'] * (k == kills and run.returncode != 0)
        for f in set(os.listdir(src)) | set(made[src]):
            data = open(at('killed', f), 'rb').read() if os.path.exists(at('killed', f)) else None
            whole = data == made[src].get(f) or (data and data.endswith(b'\xff\xd9') and
                                                 facts(at('killed', f), '%w') == '300')
            wrong += [] if f.endswith('.part') and k < kills or f in made[src] and whole else [f'{f} {moments}']
    wrong += [f'scratch folders left {os.listdir(CACHE)}'] * (sorted(os.listdir(CACHE)) != cache_before)
    return report('a run that replaces its sources, killed at random moments', wrong)


failed += 0 if ENGLISH else killed_runs()
shutil.rmtree(root)
sys.exit(1 if failed else 0)

# Hostile and unlucky pictures, made by ImageMagick's convert and a few patched header bytes:
# small files whose headers claim pictures far beyond their data, and a picture cut short. Shared
# by the table of ombrel-batch's runs and by bench/hostile.
import os, re, shlex, signal, struct, subprocess, tempfile, time, zlib

PROGRESSIVE = '-size 64x64 gradient:red-blue -interlace JPEG -quality 92'
BASELINE = '-size 64x64 gradient:red-blue -quality 92'


# The picture of recipe written as fmt (jpeg, png or webp, lossless) to path, its header
# then claiming width x height.
def claimed(fmt, recipe, width, height):
    def make(path):
        lossless = ['-define', 'webp:lossless=true'] * (fmt == 'webp')
        subprocess.run(['convert', *shlex.split(recipe), *lossless, f'{fmt}:{path}'], check=True)
        d = bytearray(open(path, 'rb').read())
        if fmt == 'png':
            d[16:24] = struct.pack('>II', width, height)
            d[29:33] = struct.pack('>I', zlib.crc32(d[12:29]))
        elif fmt == 'webp':  # VP8L: 14 bits each of width - 1 and height - 1
            rest = struct.unpack('<I', d[21:25])[0] & ~0xfffffff
            d[21:25] = struct.pack('<I', rest | (width - 1) | (height - 1) << 14)
        else:  # the frame header of a baseline or a progressive JPEG
            at = re.search(b'\xff[\xc0\xc2]', d).start() + 5
            d[at:at + 4] = struct.pack('>HH', height, width)
        open(path, 'wb').write(d)
    return make


# A GIF of count frames of side x side pixels, each frame's data a single pixel, on a canvas of
# canvas x canvas pixels (side x side without one).
def frames(count, side, delay, canvas=None):
    def make(path):
        screen = b'GIF89a' + struct.pack('<HHBBB', canvas or side, canvas or side, 0x80, 0, 0) + \
            b'\0\0\0\xff\xff\xff'
        frame = (b'\x21\xf9\x04\0' + struct.pack('<H', delay) + b'\0\0,' +
                 struct.pack('<HHHHB', 0, 0, side, side, 0) + b'\x02\x02\x44\x01\0')
        open(path, 'wb').write(screen + frame * count + b';')
    return make


# A JPEG of recipe with three bytes before its first quantisation table (a warning the decoder
# passes over) and/or cut to a part of its length.
def damaged(recipe, junk=False, keep=1.0):
    def make(path):
        subprocess.run(['convert', *shlex.split(recipe), path], check=True)
        data = open(path, 'rb').read()
        if junk:
            data = data.replace(b'\xff\xdb', b'\0\1\2\xff\xdb', 1)
        open(path, 'wb').write(data[:int(len(data) * keep)])
    return make


# Each one ends with its log line, a failed read or an animation skipped, and nothing written.
READ, SKIP = ' 出错', ' ,这是一个gif动画图片'
CASES = [
    ('progressive-65000.jpg', claimed('jpeg', PROGRESSIVE, 65000, 65000), READ),
    ('progressive-144mp.jpg', claimed('jpeg', PROGRESSIVE, 12000, 12000), READ),
    ('baseline-60000.jpg', claimed('jpeg', BASELINE, 60000, 60000), READ),
    ('baseline-16385.jpg', claimed('jpeg', BASELINE, 16385, 64), READ),
    ('png-60000.png', claimed('png', BASELINE, 60000, 60000), READ),
    ('webp-16383.jpg', claimed('webp', BASELINE, 16383, 16383), READ),
    ('progressive-cut.jpg', damaged('-size 3000x2000 gradient:red-blue -interlace JPEG', keep=0.4),
     READ),
    ('gif-200000-frames.gif', frames(200000, 1, 0), READ),
    ('gif-300-still-4000.gif', frames(300, 4000, 0), READ),
    ('gif-300-moving-4000.gif', frames(300, 4000, 10), SKIP),
    ('gif-canvas-60000.gif', frames(1, 1, 0, canvas=60000), READ),
]


def make_cases(folder, cases=CASES):
    os.makedirs(folder, exist_ok=True)
    for name, make, _ in cases:
        make(os.path.join(folder, name))


# The largest resident size (KB) of the processes of a session.
def largest_in_session(session):
    largest = 0
    for pid in filter(str.isdigit, os.listdir('/proc')):
        try:
            fields = open(f'/proc/{pid}/stat').read().rsplit(')', 1)[1].split()
        except OSError:
            continue
        if int(fields[3]) == session:
            largest = max(largest, int(fields[21]) * os.sysconf('SC_PAGE_SIZE') // 1024)
    return largest


# Runs command in a session of its own, killing the whole session when one of its processes
# grows past limit_kb (a safety net for the shared machine, not a measurement) or the run takes
# longer than timeout seconds. The completed run (its output and errors as text in stdout) and
# whether it was killed.
def guarded(command, limit_kb=1024 * 1024, timeout=120, **options):
    with tempfile.TemporaryFile() as out:
        process = subprocess.Popen(command, start_new_session=True, stdout=out,
                                   stderr=subprocess.STDOUT, **options)
        start, struck = time.time(), False
        while process.poll() is None and not struck:
            struck = time.time() - start > timeout or largest_in_session(process.pid) > limit_kb
            if struck:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
            time.sleep(0.05)
        out.seek(0)
        run = subprocess.CompletedProcess(command, process.returncode, out.read().decode(), '')
        return run, struck

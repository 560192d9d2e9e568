#!/usr/bin/env python3
"""The corpus, the detector runs and the scoring of bench/detect-accuracy.sh (see there).

    bench/detect_accuracy.py NERULA_DETECT WORKDIR

Text: Japanese manual pages (manpages-ja), groff requests and font escapes removed, cut down
to the characters that CP932, EUC-JP and ISO-2022-JP all have, so that every encoding holds
the same text. Each page is converted by iconv into each encoding; a sample is a window of
N bytes starting at a line of the page, cut after N bytes wherever that falls, even inside a
character. Each page gives four windows for each length: two from lines that hold Japanese
and two from any lines (which may be English: manual pages quote commands and options), each
line drawn at random with a fixed seed. The samples with a byte-order mark start with the
mark and go on with N - (mark length) bytes.

A guess is correct when it names the true encoding (Shift_JIS and CP932 count as one name),
or when iconv decodes the sample under the guessed encoding to the same text as under the
true one. Both decodings leave out bytes they cannot decode (iconv -c) - in a sample that is
only its cut-off last character - and a leading byte-order mark. So a pure-ASCII sample is
correct for any ASCII-compatible guess, and a sample whose only non-ASCII bytes are a cut
character is correct for every ASCII-compatible guess as well. nerula-detect's -1 (leave it
to the ANSI code page) is decoded as ASCII, as are nkf's and uchardet's "ASCII".
"""

import ctypes
import errno
import gzip
import glob
import os
import random
import re
import subprocess
import sys
import time

LENGTHS = [16, 32, 64, 128, 256, 1024, 4096]
BASE_ENCODINGS = ['CP932', 'EUC-JP', 'ISO-2022-JP', 'UTF-8', 'UTF-16LE', 'UTF-16BE']
BOMS = {'UTF-8': b'\xef\xbb\xbf', 'UTF-16LE': b'\xff\xfe', 'UTF-16BE': b'\xfe\xff'}
# (sample kind, base encoding, mark)
KINDS = [(e, e, b'') for e in BASE_ENCODINGS] + [(e + '+BOM', e, BOMS[e]) for e in BOMS]
COLUMN = {'CP932': 'SJIS', 'EUC-JP': 'EUC', 'ISO-2022-JP': 'JIS', 'UTF-8': 'UTF8',
          'UTF-16LE': 'U16LE', 'UTF-16BE': 'U16BE', 'UTF-8+BOM': 'U8+B',
          'UTF-16LE+BOM': 'LE+B', 'UTF-16BE+BOM': 'BE+B'}
SEPARATOR = '\n@@@@ nerula sample break @@@@\n'
MAX_PAGES = 300
MIN_PAGE_BYTES = 6000

NERULA_NAMES = {932: 'CP932', 51932: 'EUC-JP', 50220: 'ISO-2022-JP', 65001: 'UTF-8',
                1200: 'UTF-16LE', 1201: 'UTF-16BE', -1: 'ASCII'}


def iconv(data, source, target='UTF-8'):
    run = subprocess.run(['iconv', '-c', '-f', source, '-t', target], input=data,
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    return run.stdout


class Iconv:
    """The C library's iconv(3), the converters of the iconv program, in this process: tens of
    thousands of samples are decoded, too many to start a program for each. It gives what
    iconv -c gives: bytes it cannot decode are skipped, and a character cut off by the end is
    left out."""

    def __init__(self):
        libc = ctypes.CDLL('libc.so.6', use_errno=True)
        self.open = libc.iconv_open
        self.open.restype = ctypes.c_void_p
        self.open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
        self.close = libc.iconv_close
        self.close.argtypes = [ctypes.c_void_p]
        pointer = ctypes.POINTER(ctypes.c_void_p)
        size = ctypes.POINTER(ctypes.c_size_t)
        self.iconv = libc.iconv
        self.iconv.restype = ctypes.c_size_t
        self.iconv.argtypes = [ctypes.c_void_p, pointer, size, pointer, size]

    def decode(self, data, encoding):
        cd = self.open(b'UTF-8//IGNORE', encoding.encode())
        if cd is None or cd == ctypes.c_void_p(-1).value:
            return None  # a name iconv does not know decodes nothing
        source = ctypes.create_string_buffer(data, len(data))
        target = ctypes.create_string_buffer(4 * len(data) + 16)
        in_ptr = ctypes.c_void_p(ctypes.addressof(source))
        in_left = ctypes.c_size_t(len(data))
        out_ptr = ctypes.c_void_p(ctypes.addressof(target))
        out_left = ctypes.c_size_t(len(target))
        failed = ctypes.c_size_t(-1).value
        while in_left.value > 0:
            # With //IGNORE the converter steps over what it cannot decode, in its own units
            # (a whole UTF-16 code unit, say), and reports EILSEQ once it has.
            before = in_left.value
            if self.iconv(cd, ctypes.byref(in_ptr), ctypes.byref(in_left),
                          ctypes.byref(out_ptr), ctypes.byref(out_left)) != failed:
                continue
            if ctypes.get_errno() != errno.EILSEQ:
                break  # EINVAL: the input ends inside a character
            if in_left.value == before:
                in_ptr.value += 1
                in_left.value -= 1
        self.iconv(cd, None, None, ctypes.byref(out_ptr), ctypes.byref(out_left))
        self.close(cd)
        return target.raw[:len(target) - out_left.value]


def strip_groff(text):
    lines = []
    for line in text.splitlines():
        if line.startswith('.') or line.startswith("'"):
            continue
        line = re.sub(r'\\f(\(..|\[[^]]*\]|.)', '', line)
        line = re.sub(r'\\\((..)', '', line)
        line = line.replace('\\-', '-').replace('\\&', '').replace('\\e', '\\').replace('\\ ', ' ')
        lines.append(line)
    return '\n'.join(lines) + '\n'


def japanese_share(text):
    visible = [c for c in text if not c.isspace()]
    return sum(1 for c in visible if ord(c) >= 0x3000) / max(1, len(visible))


def build_pages():
    pages = []
    for path in sorted(glob.glob('/usr/share/man/ja/**/*.gz', recursive=True)):
        try:
            text = gzip.open(path).read().decode('utf-8')
        except (OSError, UnicodeDecodeError):
            continue
        text = strip_groff(text)
        if len(text.encode()) >= MIN_PAGE_BYTES and japanese_share(text) >= 0.3:
            pages.append(text)
    if len(pages) > MAX_PAGES:
        step = len(pages) / MAX_PAGES
        pages = [pages[int(i * step)] for i in range(MAX_PAGES)]
    # Keep what all of CP932, EUC-JP and ISO-2022-JP can hold (the joined pages go through
    # iconv once per step; the separator is ASCII and survives).
    joined = SEPARATOR.join(pages).encode()
    for encoding in ['ISO-2022-JP', 'CP932', 'EUC-JP']:
        joined = iconv(iconv(joined, 'UTF-8', encoding), encoding, 'UTF-8')
    pages = joined.decode().split(SEPARATOR)
    return pages


def encoded_separator(encoding):
    if encoding == 'UTF-16LE':
        return b''.join(bytes([b, 0]) for b in SEPARATOR.encode())
    if encoding == 'UTF-16BE':
        return b''.join(bytes([0, b]) for b in SEPARATOR.encode())
    return SEPARATOR.encode()


def line_starts(data, encoding):
    """Byte offsets of line starts, one per line of the text."""
    starts = [0]
    if encoding in ('UTF-16LE', 'UTF-16BE'):
        newline = b'\n\x00' if encoding == 'UTF-16LE' else b'\x00\n'
        for i in range(0, len(data) - 1, 2):
            if data[i:i + 2] == newline:
                starts.append(i + 2)
    else:
        starts += [m.end() for m in re.finditer(b'\n', data)]
    return starts


def make_samples(pages, workdir):
    encoded = {}
    for encoding in BASE_ENCODINGS:
        data = iconv(SEPARATOR.join(pages).encode(), 'UTF-8', encoding)
        parts = data.split(encoded_separator(encoding))
        if len(parts) != len(pages):
            sys.exit('splitting the %s corpus failed' % encoding)
        encoded[encoding] = parts
    samples = []  # (path, kind, length)
    for index, text in enumerate(pages):
        lines = text.split('\n')
        starts = {e: line_starts(encoded[e][index], e) for e in BASE_ENCODINGS}
        if any(len(s) < len(lines) for s in starts.values()):
            continue
        japanese = [any(ord(c) >= 0x3000 for c in line) for line in lines]
        for length in LENGTHS:
            # Lines that leave enough bytes after them in every encoding.
            usable = [i for i in range(len(lines))
                      if all(len(encoded[e][index]) - starts[e][i] >= length for e in BASE_ENCODINGS)]
            chooser = random.Random('%d-%d' % (index, length))
            japanese_usable = [i for i in usable if japanese[i]]
            lines_drawn = chooser.sample(japanese_usable, min(2, len(japanese_usable)))
            lines_drawn += chooser.sample(usable, min(2, len(usable)))
            for window, line in enumerate(lines_drawn):
                for kind, encoding, mark in KINDS:
                    start = starts[encoding][line]
                    sample = mark + encoded[encoding][index][start:start + length - len(mark)]
                    folder = os.path.join(workdir, 'samples', kind, str(length))
                    os.makedirs(folder, exist_ok=True)
                    path = os.path.join(folder, '%03d-%d.txt' % (index, window))
                    with open(path, 'wb') as f:
                        f.write(sample)
                    samples.append((path, kind, length))
    return samples


def run_batched(command, paths, parse):
    """Runs a detector over many files at once; parse(line) gives (path, guess) or None."""
    guesses = {}
    for i in range(0, len(paths), 1000):
        chunk = paths[i:i + 1000]
        if len(chunk) == 1:
            chunk = chunk + chunk  # with one file nkf and uchardet leave out the name
        out = subprocess.run(command + chunk, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout
        for line in out.decode('utf-8', 'replace').splitlines():
            parsed = parse(line)
            if parsed:
                guesses[parsed[0]] = parsed[1]
    return guesses


def parse_nerula(line):
    code, _, path = line.partition('\t')
    return path, NERULA_NAMES.get(int(code))


def parse_named(line):
    path, sep, name = line.rpartition(': ')
    return (path, name.strip()) if sep else None


def nkf_name(name):
    name = re.sub(r'\s*\((LF|CRLF|CR|MIXED NL|BOM)\)', '', name).strip()
    table = {'Shift_JIS': 'CP932', 'CP932': 'CP932', 'EUC-JP': 'EUC-JP', 'eucJP-ms': 'EUC-JP',
             'CP51932': 'EUC-JP', 'ISO-2022-JP': 'ISO-2022-JP', 'UTF-8': 'UTF-8', 'ASCII': 'ASCII',
             'UTF-16': 'UTF-16BE', 'UTF-16 BE': 'UTF-16BE', 'UTF-16 LE': 'UTF-16LE',
             'UTF-16BE': 'UTF-16BE', 'UTF-16LE': 'UTF-16LE'}
    return table.get(name)


def uchardet_name(name):
    table = {'SHIFT_JIS': 'CP932', 'CP932': 'CP932', 'EUC-JP': 'EUC-JP', 'ISO-2022-JP': 'ISO-2022-JP',
             'UTF-8': 'UTF-8', 'ASCII': 'ASCII', 'UTF-16LE': 'UTF-16LE', 'UTF-16BE': 'UTF-16BE',
             'UTF-16': 'UTF-16'}  # BOM-aware; big-endian without a mark, as iconv reads it
    if name in table:
        return table[name]
    return None if name.lower() in ('unknown', '') else name  # decoded as iconv names it


class Judge:
    def __init__(self):
        self.iconv = Iconv()
        self.decoded = {}

    def decode(self, path, encoding):
        key = (path, encoding)
        if key not in self.decoded:
            with open(path, 'rb') as f:
                text = self.iconv.decode(f.read(), encoding)
            if text is not None and text.startswith(b'\xef\xbb\xbf'):
                text = text[3:]
            self.decoded[key] = text
        return self.decoded[key]

    def correct(self, path, truth, guess):
        if guess is None:
            return False
        if guess == truth:
            return True
        guessed = self.decode(path, guess)
        return guessed is not None and guessed == self.decode(path, truth)


def timing(detect, workdir, pages):
    """Detection against decoding for a 50 MB file: nerula-detect --time reports the best of 20
    detections of the file already in memory; iconv's time (best of 3) is the whole program
    decoding the file to UTF-16LE, Nerula's internal form, from the page cache to /dev/null."""
    size = 50 * 1024 * 1024
    ascii_text = '\n'.join(line for page in pages for line in page.split('\n') if line.isascii())
    cases = [('Shift-JIS', 'CP932', SEPARATOR.join(pages)),
             ('EUC-JP', 'EUC-JP', SEPARATOR.join(pages)),
             ('UTF-8', 'UTF-8', SEPARATOR.join(pages)),
             ('ASCII', 'CP932', ascii_text)]
    print('\n%-10s %10s %10s %16s %7s' % ('50 MB', 'answer', 'detection', 'iconv decoding', 'share'))
    for label, encoding, text in cases:
        unit = iconv(text.encode(), 'UTF-8', encoding)
        data = unit * (size // len(unit) + 1)
        data = data[:data.rindex(b'\n', 0, size) + 1]
        path = os.path.join(workdir, 'big-%s.txt' % label)
        with open(path, 'wb') as f:
            f.write(data)
        out = subprocess.run([detect, '--time', path], stdout=subprocess.PIPE, check=True).stdout.decode()
        answer, _, micros = out.rstrip('\n').split('\t')
        detect_ms = int(micros.split()[0]) / 1000
        best = None
        for _ in range(3):
            start = time.perf_counter()
            subprocess.run(['iconv', '-f', encoding, '-t', 'UTF-16LE', path], stdout=subprocess.DEVNULL, check=True)
            took = (time.perf_counter() - start) * 1000
            best = took if best is None else min(best, took)
        print('%-10s %10s %8.2f ms %13.0f ms %6.2f%%' % (label, answer, detect_ms, best, 100 * detect_ms / best))
        os.remove(path)


def main():
    detect, workdir = sys.argv[1], sys.argv[2]
    pages = build_pages()
    samples = make_samples(pages, workdir)
    paths = [s[0] for s in samples]
    print('corpus: %d manual pages, %d samples' % (len(pages), len(samples)), file=sys.stderr)

    tools = [('nerula', run_batched([detect], paths, parse_nerula)),
             ('nkf', {p: nkf_name(n) for p, n in run_batched(['nkf', '--guess'], paths, parse_named).items()}),
             ('uchardet', {p: uchardet_name(n) for p, n in run_batched(['uchardet'], paths, parse_named).items()})]

    judge = Judge()
    jobs = []
    for path, kind, length in samples:
        truth = kind.replace('+BOM', '')
        for tool, guesses in tools:
            jobs.append((tool, kind, length, path, truth, guesses.get(path)))
    results = [(j, judge.correct(j[3], j[4], j[5])) for j in jobs]

    right = {}
    total = {}
    misses = []
    for (tool, kind, length, path, truth, guess), ok in results:
        for key in [(tool, kind, length), (tool, 'all', length)]:
            total[key] = total.get(key, 0) + 1
            right[key] = right.get(key, 0) + (1 if ok else 0)
        if tool == 'nerula' and not ok:
            misses.append('%s\t%s\t%s' % (path, truth, guess))
    with open(os.path.join(workdir, 'nerula-misses.txt'), 'w') as f:
        f.write('\n'.join(sorted(misses)) + '\n')

    kinds = [k for k, _, _ in KINDS]
    header = '%-6s %-9s' % ('bytes', 'detector') + ''.join('%7s' % COLUMN[k] for k in kinds) + '%8s' % 'all'
    print(header)
    print('-' * len(header))
    for length in LENGTHS:
        for n, (tool, _) in enumerate(tools):
            cells = []
            for kind in kinds + ['all']:
                key = (tool, kind, length)
                cells.append('%6.1f' % (100.0 * right[key] / total[key]) if total.get(key) else '     -')
            label = str(length) if n == 0 else ''
            print('%-6s %-9s' % (label, tool) + ' '.join(cells[:-1]).rjust(7 * len(kinds)) + '  ' + cells[-1])
    counts = ', '.join('%d: %d' % (length, total[('nerula', 'CP932', length)]) for length in LENGTHS)
    print('percent correct of the samples per length and encoding (%s)' % counts)
    wrong = ', '.join('%s %d' % (tool, sum(total[(tool, 'all', n)] - right[(tool, 'all', n)] for n in LENGTHS))
                      for tool, _ in tools)
    print('wrong guesses of %d samples: %s' % (len(samples), wrong))
    timing(detect, workdir, pages)


if __name__ == '__main__':
    main()

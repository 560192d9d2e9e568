#!/usr/bin/env python3
"""Measures the Japanese text model of the code-page detector and writes its tables.

    tools/detect/derive-text-model.py > src/text/japanese_text_tables.cpp
    clang-format -i src/text/japanese_text_tables.cpp

The text comes from Japanese documents that Debian ships and the accuracy benchmark does not
use (it draws on the manual pages): the message catalogues in /usr/share/locale/ja (those of
the programs installed) and the HTML guides of maint-guide-ja and debian-faq-ja. Missing
packages are installed first, so the numbers differ a little from machine to machine; the
committed tables are one such run.

The classification below must match ModelCodePoint() in src/text/japanese_text_model.cpp;
the JIS tables are taken from Python's cp932 and euc_jp codecs.
"""

import gettext
import glob
import html
import math
import os
import re
import subprocess
import sys

NEWLINE, SPACE, LOWER, UPPER, DIGIT, PUNCT, HIRAGANA, KATAKANA, KANJI, SYMBOL, FULL_ALNUM, \
    HALF_KANA, LATIN, RARE, BAD = range(15)
NAMES = ['Newline', 'Space', 'Lower', 'Upper', 'Digit', 'Punct', 'Hiragana', 'Katakana', 'Kanji',
         'Symbol', 'FullAlnum', 'HalfKana', 'Latin', 'Rare']
STATES = len(NAMES)
UNIT = 16  # costs are sixteenths of a bit


def sjis_bytes(row, cell):
    lead = 0x81 + (row - 1) // 2 if row <= 62 else 0xE0 + (row - 63) // 2
    if row % 2 == 1:
        trail = 0x3F + cell + (1 if cell >= 64 else 0)
    else:
        trail = 0x9E + cell
    return bytes([lead, trail])


def jis_row(row):
    chars = []
    for cell in range(1, 95):
        try:
            chars.append(ord(sjis_bytes(row, cell).decode('cp932')))
        except UnicodeDecodeError:
            chars.append(0)
    return chars


JIS_ROWS = {row: jis_row(row) for row in (1, 2, 8, 13)}
# The same symbols as other converters map them (EUC-JP tables, older Unicode mappings).
ALIASES = [0x301C, 0x2016, 0x2212, 0x00A2, 0x00A3, 0x00AC, 0x2014, 0x2225, 0xFF5E, 0x2015]
JIS_SYMBOLS = sorted({c for row in JIS_ROWS.values() for c in row if c} | set(ALIASES))


def kanji_level(cp):
    """0: not in CP932, 1: JIS level 1, 2: JIS level 2, 3: NEC/IBM extension kanji."""
    try:
        code = chr(cp).encode('cp932')
    except UnicodeEncodeError:
        return 0
    if len(code) != 2:
        return 0
    lead, trail = code
    if lead < 0x98 or (lead == 0x98 and trail < 0x9F):
        return 1
    if lead < 0xEB:
        return 2
    return 3


def char_class(cp):
    if cp in (0x0A, 0x0D):
        return NEWLINE
    if cp in (0x20, 0x09):
        return SPACE
    if 0x61 <= cp <= 0x7A:
        return LOWER
    if 0x41 <= cp <= 0x5A:
        return UPPER
    if 0x30 <= cp <= 0x39:
        return DIGIT
    if 0x21 <= cp <= 0x7E:
        return PUNCT
    if cp in (0x0C, 0x1B):
        return RARE
    if cp < 0xA0:
        return BAD
    if 0x3041 <= cp <= 0x3096 or 0x309D <= cp <= 0x309F:
        return HIRAGANA
    if 0x30A1 <= cp <= 0x30FA or 0x30FC <= cp <= 0x30FF:
        return KATAKANA
    if 0x4E00 <= cp <= 0x9FFF or cp in (0x3005, 0x3006, 0x3007):
        return KANJI
    if 0xFF10 <= cp <= 0xFF19 or 0xFF21 <= cp <= 0xFF3A or 0xFF41 <= cp <= 0xFF5A:
        return FULL_ALNUM
    if 0xFF61 <= cp <= 0xFF9F:
        return HALF_KANA
    if cp in JIS_SYMBOLS:
        return SYMBOL
    if cp <= 0x24F:
        return LATIN
    if 0x2010 <= cp <= 0x2027 or 0x2030 <= cp <= 0x205E or 0x2070 <= cp <= 0x2BFF:
        return SYMBOL
    if 0x3000 <= cp <= 0x303F or 0x3099 <= cp <= 0x309C or cp in (0x30A0, 0x30FB):
        return SYMBOL
    if 0x3200 <= cp <= 0x33FF or 0xFF01 <= cp <= 0xFF60 or 0xFFE0 <= cp <= 0xFFEE:
        return SYMBOL
    if 0xD800 <= cp <= 0xDFFF or cp in (0xFFFE, 0xFFFF):
        return BAD
    return RARE


def ensure_sources():
    packages = ['maint-guide-ja', 'debian-faq-ja', 'gettext']
    missing = [p for p in packages
               if subprocess.run(['dpkg', '-s', p], capture_output=True).returncode != 0]
    if missing:
        subprocess.run(['apt-get', 'install', '-y', '-qq', '--no-install-recommends'] + missing,
                       check=True, stdout=subprocess.DEVNULL)


def training_texts():
    for path in sorted(glob.glob('/usr/share/locale/ja/LC_MESSAGES/*.mo')):
        # The ISO code catalogues are lists of place and language names, not text.
        if os.path.basename(path).startswith('iso_'):
            continue
        try:
            with open(path, 'rb') as f:
                catalog = gettext.GNUTranslations(f)._catalog
        except Exception:
            continue
        yield '\n'.join(v for k, v in catalog.items() if k and isinstance(v, str))
    pages = glob.glob('/usr/share/doc/maint-guide-ja/html/*.html')
    pages += glob.glob('/usr/share/doc/debian/FAQ/ja/*.html')
    for path in sorted(pages):
        with open(path, encoding='utf-8', errors='replace') as f:
            page = f.read()
        page = re.sub(r'(?s)<(script|style).*?</\1>', '', page)
        yield html.unescape(re.sub(r'<[^>]+>', '', page))


def cost(p):
    return max(1, round(-math.log2(p) * UNIT))


def main():
    ensure_sources()
    transitions = [[0] * STATES for _ in range(STATES)]
    class_total = [0] * STATES
    char_count = {}
    kanji_levels = [0, 0, 0]  # JIS level 1, level 2, outside JIS X 0208
    for text in training_texts():
        text = text.replace('\r\n', '\n')
        prev = NEWLINE
        for ch in text:
            cp = ord(ch)
            cls = char_class(cp)
            if cls == BAD:
                continue
            transitions[prev][cls] += 1
            class_total[cls] += 1
            char_count[cp] = char_count.get(cp, 0) + 1
            if cls == KANJI:
                kanji_levels[{1: 0, 2: 1}.get(kanji_level(cp), 2)] += 1
            prev = cls

    total = sum(class_total)
    # Classes the documents hardly use still occur in real files; they get a floor. Older
    # Shift-JIS files write every katakana word in half-width katakana.
    floors = {HALF_KANA: 0.01, LATIN: 0.002, RARE: 0.0005, FULL_ALNUM: 0.003}
    background = [max(class_total[c] / total, floors.get(c, 0.001)) for c in range(STATES)]
    norm = sum(background)
    background = [b / norm for b in background]
    alpha = 50.0
    table = []
    for p in range(STATES):
        row_total = sum(transitions[p])
        probs = [(transitions[p][c] + alpha * background[c]) / (row_total + alpha) for c in range(STATES)]
        # Half-width katakana come in runs (whole words), as do accented Latin letters.
        if p == HALF_KANA:
            probs = [0.3 * b for b in background]
            probs[HALF_KANA] = 0.7
        table.append([cost(x) for x in probs])

    def within(members, cls):
        counts = [char_count.get(cp, 0) + 0.5 for cp in members]
        s = sum(counts)
        return [cost(c / s) for c in counts]

    ascii_cost = [0] * 128
    for cls in (NEWLINE, SPACE, LOWER, UPPER, DIGIT, PUNCT):
        members = [cp for cp in range(128) if char_class(cp) == cls]
        for cp, c in zip(members, within(members, cls)):
            ascii_cost[cp] = c
    for cp in (0x0C, 0x1B):
        ascii_cost[cp] = 12 * UNIT
    # The documents were read with LF line ends and hardly use tabs; files use CR LF as much,
    # and tabs to indent.
    ascii_cost[0x0A] = ascii_cost[0x0D] = UNIT
    ascii_cost[0x09] = 4 * UNIT

    hiragana = [cp for cp in range(0x3040, 0x30A0) if char_class(cp) == HIRAGANA]
    katakana = [cp for cp in range(0x30A0, 0x3100) if char_class(cp) == KATAKANA]
    hira_cost = dict(zip(hiragana, within(hiragana, HIRAGANA)))
    kata_cost = dict(zip(katakana, within(katakana, KATAKANA)))

    symbols = [cp for cp in JIS_SYMBOLS if char_class(cp) == SYMBOL]
    sym_counts = [char_count.get(cp, 0) + 0.5 for cp in symbols]
    other_symbols = sum(char_count.get(cp, 0) for cp in char_count
                        if char_class(cp) == SYMBOL and cp not in JIS_SYMBOLS) + 0.5
    sym_total = sum(sym_counts) + other_symbols
    symbol_cost = [(cp, cost(c / sym_total)) for cp, c in zip(symbols, sym_counts)]
    # The rest of the symbol blocks, several thousand code points, share the remaining mass.
    other_symbol_cost = cost(other_symbols / sym_total / 3000)

    # The common kanji: level-1 ones the documents use more than once (about a thousand).
    # Other texts draw on a wider set than these documents do, so they are taken to cover 90%
    # of kanji rather than the 99.9% measured here; level 2 gets 2%, as names and literature
    # use it a little, and the rest of level 1 the remaining 8%.
    common = sorted(cp for cp, n in char_count.items()
                    if char_class(cp) == KANJI and n >= 2 and 0x4E00 <= cp and kanji_level(cp) == 1)
    common_kanji = cost(0.9 / len(common))
    level1 = cost(0.08 / (2965 - len(common)))
    level2 = cost(0.02 / 3390)

    out = sys.stdout
    out.write('// Generated by tools/detect/derive-text-model.py from Japanese documents shipped by Debian\n')
    out.write('// (message catalogues, maint-guide-ja, debian-faq-ja). Do not edit by hand: change the\n')
    out.write('// script, run it again and format the result.\n\n')
    out.write('#include "text/japanese_text_tables.h"\n\nnamespace nerula::text_model {\n\n')
    out.write('// Cost of a character class given the class before it: [previous][next].\n')
    out.write('const std::uint16_t kTransitionCost[kStateCount][kStateCount] = {\n')
    for p in range(STATES):
        out.write('    {' + ', '.join('%d' % c for c in table[p]) + '}, // %s\n' % NAMES[p])
    out.write('};\n\n')

    def write_array(name, values, per_line=16):
        out.write('const std::uint16_t %s[%d] = {\n' % (name, len(values)))
        for i in range(0, len(values), per_line):
            out.write('    ' + ', '.join('%d' % v for v in values[i:i + per_line]) + ',\n')
        out.write('};\n\n')

    write_array('kAsciiCost', ascii_cost)
    write_array('kHiraganaCost', [hira_cost.get(cp, 0) for cp in range(0x3040, 0x30A0)])
    write_array('kKatakanaCost', [kata_cost.get(cp, 0) for cp in range(0x30A0, 0x3100)])

    out.write('// JIS X 0208 rows 1, 2, 8 and 13 (NEC special characters) in Unicode; 0 is unassigned.\n')
    out.write('const char16_t kJisRowChars[4][94] = {\n')
    for row in (1, 2, 8, 13):
        chars = JIS_ROWS[row]
        out.write('    {\n')
        for i in range(0, 94, 12):
            out.write('        ' + ', '.join('0x%04X' % c for c in chars[i:i + 12]) + ',\n')
        out.write('    },\n')
    out.write('};\n\n')

    out.write('// The JIS level of each ideograph U+4E00-U+9FFF, two bits each from the lowest: 0 for\n')
    out.write('// none (not in CP932), 1 and 2 for JIS X 0208 levels 1 and 2, 3 for NEC/IBM extensions.\n')
    words = []
    for base in range(0x4E00, 0xA000, 32):
        word = 0
        for k in range(32):
            word |= kanji_level(base + k) << (2 * k)
        words.append(word)
    out.write('const std::uint64_t kKanjiLevels[%d] = {\n' % len(words))
    for i in range(0, len(words), 4):
        out.write('    ' + ' '.join('0x%016X,' % w for w in words[i:i + 4]) + '\n')
    out.write('};\n\n')

    out.write('// The common kanji (%d of them): bits by code point from U+4E00, and by JIS code from row\n' % len(common))
    out.write('// 16 cell 1, ((row - 16) * 94 + cell - 1).\n')
    unicode_bits = [0] * ((0xA000 - 0x4E00) // 64)
    jis_bits = [0] * ((32 * 94 + 63) // 64)
    for cp in common:
        unicode_bits[(cp - 0x4E00) // 64] |= 1 << ((cp - 0x4E00) % 64)
        lead, trail = chr(cp).encode('cp932')
        row_pair = lead - 0x81
        row = row_pair * 2 + (2 if trail >= 0x9F else 1)
        cell = trail - 0x9E if trail >= 0x9F else trail - 0x3F - (1 if trail >= 0x80 else 0)
        index = (row - 16) * 94 + cell - 1
        jis_bits[index // 64] |= 1 << (index % 64)
    for name, bits in (('kCommonKanjiByCodePoint', unicode_bits), ('kCommonKanjiByJis', jis_bits)):
        out.write('const std::uint64_t %s[%d] = {\n' % (name, len(bits)))
        for i in range(0, len(bits), 4):
            out.write('    ' + ' '.join('0x%016X,' % w for w in bits[i:i + 4]) + '\n')
        out.write('};\n\n')

    out.write('const SymbolCost kSymbolCosts[] = {\n')
    for i in range(0, len(symbol_cost), 6):
        out.write('    ' + ' '.join('{0x%04X, %d},' % sc for sc in symbol_cost[i:i + 6]) + '\n')
    out.write('};\n')
    out.write('const std::size_t kSymbolCostCount = sizeof kSymbolCosts / sizeof kSymbolCosts[0];\n\n')

    constants = [
        ('kOtherSymbolCost', other_symbol_cost),
        ('kCommonKanjiCost', common_kanji),
        ('kKanjiLevel1Cost', level1),
        ('kKanjiLevel2Cost', level2),
    ]
    for name, value in constants:
        out.write('const std::uint16_t %s = %d;\n' % (name, value))
    out.write('\n} // namespace nerula::text_model\n')

    print('classes:', {NAMES[c]: class_total[c] for c in range(STATES)}, file=sys.stderr)
    print('kanji levels:', kanji_levels, file=sys.stderr)


if __name__ == '__main__':
    main()

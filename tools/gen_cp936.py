#!/usr/bin/env python3
"""Writes calc/cp936_table.inc from Wine's code page table c_936.nls.

Python's gbk codec is not Windows' code page 936 (no "€" at 0x80, no
private-use mappings), so the table comes from the NLS file that Wine's
own WideCharToMultiByte uses.

NLS code page file, little-endian 16-bit words:
  header (word 0 = its size in words, 13): code page, max char size,
    default char, Unicode default char, two "trans" defaults, 12 lead-byte
    range bytes (pairs, zero-terminated);
  word: offset, from this word, of the Unicode->multibyte table minus one;
  256 words: single byte -> Unicode (lead bytes hold 0);
  word: glyph table flag (if set, 256 more words follow);
  word: DBCS flag; then 256 words: for each lead byte, the offset (from the
    start of these 256 words) of its 256-word trail byte -> Unicode table;
  the Unicode->multibyte table: 65536 words, best-fit entries included.

Usage: gen_cp936.py [c_936.nls [cp936_table.inc]]
"""

import pathlib
import struct
import sys
import unicodedata

DEFAULT_NLS = "/usr/share/wine/nls/c_936.nls"
DEFAULT_OUT = pathlib.Path(__file__).resolve().parent.parent / "calc" / "cp936_table.inc"

LEAD_FIRST, LEAD_LAST = 0x81, 0xFE
TRAILS = [t for t in range(0x40, 0xFF) if t != 0x7F]  # 190 trail bytes
CHUNK_STARTS = [0x40, 0x60, 0x80, 0xA0, 0xC0, 0xE0]  # one output line each


def fail(msg):
    sys.exit("gen_cp936: " + msg)


def read_table(path):
    data = pathlib.Path(path).read_bytes()
    w = struct.unpack("<%dH" % (len(data) // 2), data)
    hdr = w[0]
    codepage, max_char, default_char, uni_default = w[1], w[2], w[3], w[4]
    lead_ranges = data[14:26]
    if (hdr, codepage, max_char, default_char, uni_default) != (13, 936, 2, 0x3F, 0x3F):
        fail("unexpected header %r" % (w[:5],))
    if lead_ranges[:3] != bytes([LEAD_FIRST, LEAD_LAST, 0]):
        fail("unexpected lead byte ranges %s" % lead_ranges.hex())
    p = hdr
    wc_start = p + w[p] + 1
    single = w[p + 1 : p + 257]
    q = p + 257
    if w[q]:
        q += 256  # glyph table: not needed
    q += 1
    if not w[q]:
        fail("no DBCS table")
    dbcs = q + 1
    offsets = w[dbcs : dbcs + 256]
    wide = w[wc_start : wc_start + 0x10000]
    if len(wide) != 0x10000:
        fail("Unicode table truncated")

    def decode(code):
        if code < 0x100:
            return single[code]
        off = offsets[code >> 8]
        return w[dbcs + off + (code & 0xFF)] if off else None

    return single, offsets, wide, decode


def main():
    nls = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_NLS
    out = pathlib.Path(sys.argv[2]) if len(sys.argv) > 2 else DEFAULT_OUT
    single, offsets, wide, decode = read_table(nls)

    # Single bytes: ASCII is itself; collect the rest that are mapped.
    for b in range(0x80):
        if single[b] != b:
            fail("byte %#x is not ASCII" % b)
    extra_single = {}
    for b in range(0x80, 0x100):
        if LEAD_FIRST <= b <= LEAD_LAST:
            if offsets[b] == 0:
                fail("lead byte %#x has no table" % b)
        elif single[b] not in (0, 0x3F):
            extra_single[b] = single[b]

    # Double bytes: every lead/trail pair must be mapped, nothing else.
    rows = []
    for lead in range(LEAD_FIRST, LEAD_LAST + 1):
        row = []
        for t in range(0x100):
            u = decode(lead << 8 | t)
            mapped = u not in (None, 0, 0x3F)
            if mapped != (t in TRAILS):
                fail("unexpected mapping state at %02X%02X" % (lead, t))
            if mapped:
                row.append(u)
        rows.append(row)

    # The reverse of the decode table must be exactly the round-trip part of
    # Wine's Unicode table: that is what WC_NO_BEST_FIT_CHARS keeps.
    encode = {}
    for b in range(0x80):
        encode[b] = b
    for b, u in extra_single.items():
        encode[u] = b
    for lead, row in zip(range(LEAD_FIRST, LEAD_LAST + 1), rows):
        for t, u in zip(TRAILS, row):
            if u in encode:
                fail("U+%04X decoded twice" % u)
            encode[u] = lead << 8 | t
    best_fit = 0
    for u in range(0x10000):
        c = wide[u]
        round_trip = decode(c) == u
        if round_trip != (u in encode) or (round_trip and encode[u] != c):
            fail("U+%04X: Unicode table disagrees with the decode table" % u)
        if not round_trip and c != 0x3F:
            best_fit += 1

    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write(HEADER.format(best_fit=best_fit, total=len(encode)))
        f.write("constexpr SingleByte kSingleBytes[] = {\n")
        for b, u in sorted(extra_single.items()):
            f.write("    {0x%02X, 0x%04X},\n" % (b, u))
        f.write("};\n\n")
        f.write(ROWS_COMMENT)
        f.write("constexpr std::u16string_view kDoubleByteRows[%d] = {\n" % len(rows))
        for lead, row in zip(range(LEAD_FIRST, LEAD_LAST + 1), rows):
            by_trail = dict(zip(TRAILS, row))
            for start in CHUNK_STARTS:
                chunk = [by_trail[t] for t in range(start, start + 0x20) if t in by_trail]
                body = "".join(literal(u) for u in chunk)
                last = "," if start == CHUNK_STARTS[-1] else ""
                f.write('    u"%s"%s  // %02X%02X\n' % (body, last, lead, start))
        f.write("};\n")
        f.write("// clang-format on\n")
    print("wrote %s: %d double-byte rows, %d best-fit entries left out"
          % (out, len(rows), best_fit), file=sys.stderr)


def literal(u):
    """A character as it reads in a u"" literal: itself when it is a plain
    visible character that no editor would normalise, else a \\u escape."""
    ch = chr(u)
    cat = unicodedata.category(ch)
    plain = (cat[0] in "LNPS" and u >= 0x80 and cat != "Co"
             and unicodedata.normalize("NFC", ch) == ch)
    return ch if plain else "\\u%04X" % u


HEADER = """\
// Generated by tools/gen_cp936.py from Wine's c_936.nls. Do not edit.
//
// Code page 936 as Windows decodes it. ASCII (0x00..0x7F) is itself and
// takes no space here; {total} characters are encodable in all. Wine's
// Unicode-to-936 table also holds {best_fit} "best fit" entries (e.g. U+00B2
// to '2'); WideCharToMultiByte with WC_NO_BEST_FIT_CHARS refuses those, and
// they are left out: only characters that round-trip are listed.
// clang-format off

struct SingleByte {{
  unsigned char byte;
  char16_t ch;
}};

// Single bytes beyond ASCII that are characters (not lead bytes).
"""

ROWS_COMMENT = """\
// kDoubleByteRows[lead - 0x81]: the characters of lead byte `lead` with the
// trail bytes 0x40..0x7E, 0x80..0xFE in order (190; every pair is mapped).
// A line holds the codes from the one in its comment up to the next line's.
"""

if __name__ == "__main__":
    main()

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

DEFAULT_NLS = "/usr/share/wine/nls/c_936.nls"
DEFAULT_OUT = pathlib.Path(__file__).resolve().parent.parent / "calc" / "cp936_table.inc"

LEAD_FIRST, LEAD_LAST = 0x81, 0xFE
TRAILS = [t for t in range(0x40, 0xFF) if t != 0x7F]  # 190 trail bytes


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

    slots = [u for row in rows for u in row]
    packed = pack(slots)
    if unpack(packed, len(slots)) != slots:
        fail("the packed table does not unpack to the code page")

    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write(HEADER.format(best_fit=best_fit, total=len(encode)))
        f.write("constexpr SingleByte kSingleBytes[] = {\n")
        for b, u in sorted(extra_single.items()):
            f.write("    {0x%02X, 0x%04X},\n" % (b, u))
        f.write("};\n\n")
        f.write(PACKED_COMMENT)
        f.write("constexpr std::uint32_t kFirstIdeograph = 0x%04X;\n" % IDEOGRAPHS[0])
        f.write("constexpr unsigned kStepBias = 0x%02X, kIdeographOp = 0x%02X, kRunOp = 0x%02X,\n"
                "                   kLiteralOp = 0x%02X, kFillOp = 0x%02X, kLongRunOp = 0x%02X;\n"
                % (STEP_BIAS, IDEOGRAPH_OP, RUN_OP, LITERAL_OP, FILL_OP, LONG_RUN_OP))
        f.write("constexpr unsigned char kDoubleBytes[%d] = {\n" % len(packed))
        for i in range(0, len(packed), 16):
            f.write("    %s\n" % " ".join("0x%02X," % b for b in packed[i:i + 16]))
        f.write("};\n")
        f.write("// clang-format on\n")
    print("wrote %s: %d double-byte codes in %d bytes, %d best-fit entries left out"
          % (out, len(slots), len(packed), best_fit), file=sys.stderr)


# The CJK Unified Ideographs of Unicode 1.1, all in code page 936.
IDEOGRAPHS = (0x4E00, 0x9FA5)
# The opcodes of the packed table: see PACKED_COMMENT.
STEP_BIAS, IDEOGRAPH_OP, RUN_OP = 0x3F, 0x80, 0xD2
LITERAL_OP, FILL_OP, LONG_RUN_OP = 0xFD, 0xFE, 0xFF


def in_gb2312_hanzi(slot):
    lead, trail = LEAD_FIRST + slot // len(TRAILS), TRAILS[slot % len(TRAILS)]
    return 0xB0 <= lead <= 0xF7 and trail >= 0xA1


def pack(slots):
    """The characters of the double-byte codes, in code order, as opcodes.
    The ideographs outside GB 2312's block are left as fill slots: GBK lists
    them in Unicode order, so they are the ideographs no other code has."""
    fill = [IDEOGRAPHS[0] <= u <= IDEOGRAPHS[1] and not in_gb2312_hanzi(i)
            for i, u in enumerate(slots)]
    out, u, i = [], 0, 0
    while i < len(slots):
        j = i + 1
        if fill[i]:
            while j < len(slots) and fill[j]:
                j += 1
            out += [FILL_OP, (j - i) >> 8, (j - i) & 0xFF]
        elif slots[i] == u + 1:
            while j < len(slots) and not fill[j] and slots[j] == slots[j - 1] + 1:
                j += 1
            n = j - i
            for _ in range(n // 255):
                out += [LONG_RUN_OP, 255]
            n %= 255
            if n == 1:
                out.append(1 + STEP_BIAS)
            elif n > 1:
                out += [RUN_OP + n - 2] if n <= LITERAL_OP - RUN_OP + 1 else [LONG_RUN_OP, n]
            u = slots[j - 1]
        else:
            v = slots[i]
            if -STEP_BIAS <= v - u < IDEOGRAPH_OP - STEP_BIAS:
                out.append(v - u + STEP_BIAS)
            elif IDEOGRAPHS[0] <= v <= IDEOGRAPHS[1]:
                out += [IDEOGRAPH_OP + ((v - IDEOGRAPHS[0]) >> 8), (v - IDEOGRAPHS[0]) & 0xFF]
            else:
                out += [LITERAL_OP, v >> 8, v & 0xFF]
            u = v
        i = j
    return out


def unpack(packed, count):
    """The characters back from the opcodes, as calc/cp936.cpp reads them."""
    slots, fills, u, i = [], [], 0, 0
    while i < len(packed):
        op, i = packed[i], i + 1
        if op < IDEOGRAPH_OP:
            u += op - STEP_BIAS
            slots.append(u)
        elif op < RUN_OP:
            u, i = IDEOGRAPHS[0] + ((op - IDEOGRAPH_OP) << 8 | packed[i]), i + 1
            slots.append(u)
        elif op < LITERAL_OP or op == LONG_RUN_OP:
            n = op - RUN_OP + 2 if op < LITERAL_OP else packed[i]
            i += op == LONG_RUN_OP
            slots += range(u + 1, u + n + 1)
            u += n
        else:
            word, i = packed[i] << 8 | packed[i + 1], i + 2
            if op == LITERAL_OP:
                u = word
                slots.append(u)
            else:
                fills += range(len(slots), len(slots) + word)
                slots += [None] * word
    named = set(slots)
    unnamed = (v for v in range(IDEOGRAPHS[0], 0x10000) if v not in named)
    for slot in fills:
        slots[slot] = next(unnamed)
    return slots if len(slots) == count else None


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

PACKED_COMMENT = """\
// kDoubleBytes: the characters of the double-byte codes in code order (lead
// bytes 0x81..0xFE, each with the trail bytes 0x40..0x7E, 0x80..0xFE: 190
// codes a lead, every one a character), as a byte code over u, the last
// character it named (0 at the start):
//   0x00..0x7F          the character u + op - kStepBias
//   kIdeographOp.., b   the character kFirstIdeograph + (op - kIdeographOp) * 256 + b
//   kRunOp..            the op - kRunOp + 2 characters u + 1, u + 2, ...
//   kLiteralOp, hi, lo  the character hi * 256 + lo
//   kFillOp, hi, lo     hi * 256 + lo codes whose characters are filled in
//   kLongRunOp, n       the n characters u + 1, ..., u + n
// GBK lists the ideographs that GB 2312 lacks in Unicode order: each code
// filled in takes, in code order, the lowest ideograph from kFirstIdeograph
// up that no code has yet.
"""

if __name__ == "__main__":
    main()

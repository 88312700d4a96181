#!/usr/bin/env python3
"""Checks Sorbel.exe's headers, imports and resources from the outside.

    check_exe.py --exe Sorbel.exe --objdump OBJDUMP --wrestool WRESTOOL --machine i386|x86-64
                 --version SHORT --file-version A.B.C.D [--windows 5.1 --exports DIR]

With --windows, also checks that the exe loads on that Windows: its header
versions are no newer, and each import is in DIR/<dll>.txt, that Windows'
list of what the DLL exports.
"""
import argparse
import os
import re
import struct
import subprocess
import sys

# Windows' own DLLs: present on every Windows the program can start on.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll"}
CHINESE = 2052
ICONS = [(32, 32, 8), (32, 32, 24), (48, 48, 32)]
STRINGS = {
    "ProductName": "Sorbel",
    "InternalName": "Sorbel",
    "OriginalFilename": "Sorbel.exe",
}

failures = []


def check(ok, what):
    print(("ok    " if ok else "FAIL  ") + what)
    if not ok:
        failures.append(what)


def run(*cmd, binary=False):
    return subprocess.run(cmd, check=True, capture_output=True, text=not binary).stdout


def headers(args):
    out = run(args.objdump, "-p", args.exe)
    fmt = {"i386": ("pei-i386", "010b"), "x86-64": ("pei-x86-64", "020b")}[args.machine]
    check(f"file format {fmt[0]}" in out, f"file format {fmt[0]}")
    check(re.search(rf"^Magic\s+{fmt[1]}", out, re.M) is not None, f"optional header magic {fmt[1]}")
    check(re.search(r"^Subsystem\s+00000002\s+\(Windows GUI\)", out, re.M) is not None, "subsystem Windows GUI")
    version = lambda key: int(re.search(rf"^{key}\s+(\d+)", out, re.M).group(1))
    print(
        f"      subsystem version {version('MajorSubsystemVersion')}.{version('MinorSubsystemVersion')},"
        f" OS version {version('MajorOSystemVersion')}.{version('MinorOSystemVersion')}"
    )
    dlls = re.findall(r"DLL Name: (\S+)", out)
    print("      imports: " + ", ".join(dlls))
    check(dlls and all(d.lower() in SYSTEM_DLLS for d in dlls), "imports only Windows' own DLLs")
    if args.windows:
        for ok, what in windows_checks(out, read_lists(args.exports), args.windows):
            check(ok, what)


def imports(out):
    """[(dll, name)] from objdump -p's import tables; an import by ordinal is named '#N'."""
    found, dll = [], None
    section = out.partition("The Import Tables")[2]
    for line in section.splitlines()[1:]:
        if line and not line[0].isspace():
            break  # the next table
        if m := re.match(r"\s*DLL Name: (\S+)", line):
            dll = m.group(1)
        elif m := re.match(r"\t[0-9a-f]+\t\s*(\d+)\s+(\S+)", line):
            found.append((dll, m.group(2) if m.group(2) != "<none>" else f"#{m.group(1)}"))
    return found


def read_lists(folder):
    """{dll: names} from the lists of exports, one name a line, '#' starting a comment."""
    lists = {}
    for file in os.listdir(folder):
        if file.endswith(".txt"):
            with open(os.path.join(folder, file)) as f:
                lists[file[:-4] + ".dll"] = {n for n in (l.strip() for l in f) if n and not n.startswith("#")}
    return lists


def windows_checks(out, lists, windows):
    """(ok, what) for each thing that stops the exe loading on Windows `windows` ("5.1")."""
    want = tuple(int(n) for n in windows.split("."))
    for key, what in (("SubsystemVersion", "subsystem"), ("OSystemVersion", "OS")):
        have = tuple(int(re.search(rf"^{part}{key}\s+(\d+)", out, re.M).group(1)) for part in ("Major", "Minor"))
        yield have <= want, f"{what} version {have[0]}.{have[1]} at most {windows}"
    table = imports(out)
    yield bool(table), f"import table read ({len(table)} imports)"
    for dll, name in table:
        exports = lists.get(dll.lower())
        if exports is None:
            yield False, f"{dll}: no list of what Windows {windows} exports"
        elif name.startswith("#"):
            # Ordinals differ between builds of a DLL, so no list can vouch for one.
            yield False, f"{dll} imported by ordinal {name[1:]}"
        elif name not in exports:
            yield False, f"{dll}!{name} not exported by Windows {windows}"
    for dll in sorted({d for d, _ in table}):
        yield True, f"{dll}: {sum(d == dll for d, _ in table)} imports checked against Windows {windows}"


def resources(args):
    listing = run(args.wrestool, "-l", args.exe)
    entries = [
        (int(t), n, int(lang))
        for t, n, lang in re.findall(r"--type=(\d+) --name=(\S+) --language=(\d+)", listing)
    ]
    print("      " + listing.strip().replace("\n", "\n      "))
    check(all(lang == CHINESE for _, _, lang in entries), "every resource in language 2052")
    groups = [n for t, n, _ in entries if t == 14]
    check(len(groups) == 1, "one icon group")
    check((16, "1", CHINESE) in entries, "version resource 1 in language 2052")
    if groups:
        icon_group(args, groups[0])
    version_block(args, run(args.wrestool, "-x", "--raw", "--type=16", args.exe, binary=True))
    manifest = run(args.wrestool, "-x", "--raw", "--type=24", args.exe, binary=True).decode("utf-8", "replace")
    identity = re.search(r'<assemblyIdentity\b[^>]*\bversion="([^"]*)"', manifest)
    want = ".".join(map(str, args.file_version))
    check(identity is not None and identity.group(1) == want, f"manifest's assembly version {want}")


def icon_group(args, name):
    raw = run(args.wrestool, "-x", "--raw", "--type=14", f"--name={name}", args.exe, binary=True)
    _, kind, count = struct.unpack_from("<HHH", raw)
    found = []
    for i in range(count):
        w, h, _, _, _, bpp, _, ident = struct.unpack_from("<BBBBHHIH", raw, 6 + 14 * i)
        found.append((w or 256, h or 256, bpp))
        dib = run(args.wrestool, "-x", "--raw", "--type=3", f"--name={ident}", args.exe, binary=True)
        _, dw, dh, _, dbpp, _, _, _, _, used, _ = struct.unpack_from("<IiiHHIIiiII", dib)
        ok = (dw, dh // 2, dbpp) == found[-1] and (dbpp != 8 or used in (0, 256))
        check(ok, f"image {i + 1}: {dw}x{dh // 2} at {dbpp} bpp" + (f", {used or 256} colours" if dbpp == 8 else ""))
    check(kind == 1 and found == ICONS, f"icon group of {ICONS}")


def blocks(data, at, end):
    """(key, value bytes, children start, block end) of each block in data[at:end]."""
    while at + 6 <= end:
        length, value_len, kind = struct.unpack_from("<HHH", data, at)
        if length == 0:
            break
        key_end = data.index(b"\0\0", at + 6)
        while (key_end - at - 6) % 2:
            key_end = data.index(b"\0\0", key_end + 1)
        key = data[at + 6 : key_end].decode("utf-16-le")
        value_at = (key_end + 2 + 3) & ~3
        size = value_len * 2 if kind == 1 else value_len
        yield key, data[value_at : value_at + size], (value_at + size + 3) & ~3, at + length
        at = (at + length + 3) & ~3


def version_block(args, data):
    root = next(blocks(data, 0, len(data)))
    key, fixed, children, end = root
    check(key == "VS_VERSION_INFO", "VS_VERSION_INFO block")
    sig, _, fms, fls, pms, pls, _, flags, os_, ftype = struct.unpack_from("<10I", fixed)
    check(sig == 0xFEEF04BD, "fixed file info signature")
    a, b, c, d = args.file_version
    ms, ls = a << 16 | b, c << 16 | d
    check((fms, fls, pms, pls) == (ms, ls, ms, ls), f"file and product version {a}.{b}.{c}.{d}")
    check((flags, os_, ftype) == (0, 4, 1), "flags 0, VOS__WINDOWS32, VFT_APP")
    tables, translation = {}, None
    for name, _, start, stop in blocks(data, children, end):
        for sub, value, sub_start, sub_stop in blocks(data, start, stop):
            if name == "StringFileInfo":
                tables[sub.upper()] = {k: v.decode("utf-16-le").rstrip("\0") for k, v, _, _ in blocks(data, sub_start, sub_stop)}
            elif name == "VarFileInfo" and sub == "Translation":
                translation = struct.unpack("<HH", value[:4])
    check(list(tables) == ["080404B0"], "one string table, 080404B0")
    strings = tables.get("080404B0", {})
    for k, v in strings.items():
        print(f"      {k}: {v}")
    expected = dict(STRINGS, FileVersion=args.version, ProductVersion=args.version)
    for k, v in expected.items():
        check(strings.get(k) == v, f'{k} "{v}"')
    check(bool(strings.get("CompanyName")), "CompanyName present")
    check(translation == (0x0804, 1200), "translation 0x0804, 1200")


def four_numbers(text):
    numbers = tuple(int(n) for n in text.split("."))
    if len(numbers) != 4 or not all(0 <= n <= 0xFFFF for n in numbers):
        raise argparse.ArgumentTypeError(f"{text!r} is not four 16-bit numbers")
    return numbers


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--objdump", required=True)
    ap.add_argument("--wrestool", required=True)
    ap.add_argument("--machine", choices=["i386", "x86-64"], required=True)
    ap.add_argument("--version", required=True, help="the version's strings, e.g. 1.01")
    ap.add_argument("--file-version", required=True, type=four_numbers, help="the fixed version, e.g. 1.1.0.0")
    ap.add_argument("--windows", help="the oldest Windows it must load on, e.g. 5.1")
    ap.add_argument("--exports", help="folder of that Windows' lists of exports, <dll>.txt")
    args = ap.parse_args()
    if args.windows and not args.exports:
        ap.error("--windows needs --exports")
    headers(args)
    resources(args)
    print(f"{len(failures)} check(s) failed")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()

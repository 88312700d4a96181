#!/usr/bin/env python3
"""Checks the Windows zip and the installer file made next to it.

    check_zip.py ZIP BASE ARCH VERSION BUILT_EXE INSTALLER LICENSE

The zip must hold BASE/Sorbel.exe, BASE/说明.txt and BASE/LICENSE.txt and
nothing else; the read-me and the licence must open in Notepad (UTF-8 with
BOM or plain ASCII, CRLF), the read-me name the version, the licence be
LICENSE's text; the exe must be the built one without its debug information
(same code bytes) for the right processor, with no link time in its header.
"""
import struct
import sys
import zipfile

MACHINE = {"win32": 0x14C, "win64": 0x8664}
README = "说明.txt"
LICENSE = "LICENSE.txt"


def fail(msg):
    sys.exit("FAIL: " + msg)


def pe_sections(data):
    """Machine type and {name: raw bytes} of a PE image's sections."""
    if data[:2] != b"MZ":
        fail("not an MZ executable")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe : pe + 4] != b"PE\0\0":
        fail("no PE header")
    machine, count, stamp, symtab, nsyms, opt_size = struct.unpack_from("<HHIIIH", data, pe + 4)
    strtab = symtab + 18 * nsyms  # long names (".debug_info") are "/offset" into it
    table = pe + 24 + opt_size
    sections = {}
    for i in range(count):
        entry = table + 40 * i
        name = data[entry : entry + 8].rstrip(b"\0").decode("ascii", "replace")
        if name.startswith("/") and symtab:
            start = strtab + int(name[1:])
            name = data[start : data.index(b"\0", start)].decode("ascii", "replace")
        vsize, _, raw_size, raw_ptr = struct.unpack_from("<IIII", data, entry + 8)
        sections[name] = data[raw_ptr : raw_ptr + min(vsize, raw_size)]
    return machine, sections, stamp


def check_crlf(name, data):
    if data.count(b"\n") != data.count(b"\r\n") or b"\r\n" not in data:
        fail(f"the lines of {name} do not all end in CRLF")


def main():
    zip_path, base, arch, version, built_exe, installer, license_path = sys.argv[1:]
    with zipfile.ZipFile(zip_path) as z:
        files = {i.filename: i for i in z.infolist() if not i.is_dir()}
        expected = {f"{base}/Sorbel.exe", f"{base}/{README}", f"{base}/{LICENSE}"}
        if set(files) != expected:
            fail(f"zip holds {sorted(files)}, expected {sorted(expected)}")
        # Without the UTF-8 flag unzip tools would read the name in the OEM code page.
        if not files[f"{base}/{README}"].flag_bits & 0x800:
            fail("the read-me's name is not marked as UTF-8")
        readme = z.read(f"{base}/{README}")
        exe = z.read(f"{base}/Sorbel.exe")
        license_txt = z.read(f"{base}/{LICENSE}")

    if not readme.startswith(b"\xef\xbb\xbf"):
        fail("the read-me has no UTF-8 byte order mark")
    check_crlf("the read-me", readme)
    text = readme[3:].decode("utf-8")
    if f"Sorbel {version}" not in text or "谢乐公式" not in text:
        fail("the read-me does not name the program, its version and what it does")
    if LICENSE not in text:
        fail(f"the read-me does not point to {LICENSE}")
    check_crlf(LICENSE, license_txt)
    with open(license_path, "rb") as f:
        if license_txt.replace(b"\r\n", b"\n") != f.read():
            fail(f"{LICENSE} is not the text of {license_path}")


    machine, sections, stamp = pe_sections(exe)
    if machine != MACHINE[arch]:
        fail(f"Sorbel.exe is for machine {machine:#x}, expected {MACHINE[arch]:#x}")
    if any(name.startswith(".debug") for name in sections):
        fail(f"Sorbel.exe still has debug sections: {sorted(sections)}")
    # A link time would make every build of one commit a different file.
    if stamp != 0:
        fail(f"Sorbel.exe carries a time in its PE header: {stamp}")
    with open(built_exe, "rb") as f:
        _, built, _ = pe_sections(f.read())
    for name in (".text", ".rdata", ".data", ".rsrc"):
        if sections.get(name) != built.get(name):
            fail(f"section {name} of the zipped Sorbel.exe differs from the built one")

    with open(installer, "rb") as f:
        setup = f.read()
    if pe_sections(setup)[0] != MACHINE[arch]:
        fail("the installer is not for the same processor as the program")
    if b"Nullsoft" not in setup:
        fail("the installer is not an NSIS installer")
    print(f"OK: {zip_path} and {installer}")


main()

#!/usr/bin/env python3
"""Assembles the one self-contained page: the template with the styles, the
window's markup, the fonts, the program (emscripten's JavaScript, and its
WebAssembly gzip-compressed in base64), the icon and the licences put in
place, so that the page needs no other file and no network. The window comes
first and is drawn as soon as it arrives; the large parts follow it.

  make_page.py --template page.html.in --out sorbel.html --version V
               --css a.css ... --window window.html --fit fit.js
               --fonts fonts.css --script sorbel.js --wasm sorbel.wasm
               --icon icon.png --licence NAME=FILE ...
"""
import argparse
import base64
import gzip
import html
import re


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def script(path):
    text = read(path)
    if "</script" in text.lower():
        raise SystemExit(f"make_page.py: {path} would end its <script> element")
    return text


def main():
    p = argparse.ArgumentParser()
    for flag in ("--template", "--out", "--version", "--window", "--fit", "--fonts", "--script",
                 "--wasm", "--icon"):
        p.add_argument(flag, required=True)
    p.add_argument("--css", nargs="+", required=True)
    p.add_argument("--licence", nargs="+", required=True, help="NAME=FILE")
    args = p.parse_args()

    with open(args.icon, "rb") as f:
        icon = base64.b64encode(f.read()).decode()
    with open(args.wasm, "rb") as f:
        # No time and no name in the header: the same program, the same bytes.
        program = base64.b64encode(gzip.compress(f.read(), compresslevel=9, mtime=0)).decode()
    licences = []
    for item in args.licence:
        name, path = item.split("=", 1)
        licences.append(f"{name}\n\n{read(path).strip()}\n")
    fields = {
        "@VERSION@": args.version,
        "@ICON@": icon,
        "@STYLE@": "".join(read(c) for c in args.css),
        "@WINDOW@": read(args.window),
        "@FIT@": script(args.fit),
        "@FONTS@": read(args.fonts),
        "@LICENCES@": html.escape("\n\n".join(licences)),
        "@PROGRAM@": program,
        "@SCRIPT@": script(args.script),
    }
    page = read(args.template)
    for key in fields:
        if key not in page:
            raise SystemExit(f"make_page.py: {key} is missing from the template")
    # One pass, so that nothing put in is read as a field.
    page = re.sub("|".join(fields), lambda m: fields[m.group(0)], page)
    with open(args.out, "w", encoding="utf-8", newline="\n") as f:
        f.write(page)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Assembles the one self-contained page: the template with the styles, the
fonts, the program (emscripten's JavaScript with the WebAssembly inside),
the icon and the licences put in place, so that the page needs no other file
and no network.

  make_page.py --template page.html.in --out sorbel.html --version V
               --css a.css ... --fonts fonts.css --script sorbel.js
               --icon icon.png --licence NAME=FILE ...
"""
import argparse
import base64
import html
import re


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def main():
    p = argparse.ArgumentParser()
    for flag in ("--template", "--out", "--version", "--fonts", "--script", "--icon"):
        p.add_argument(flag, required=True)
    p.add_argument("--css", nargs="+", required=True)
    p.add_argument("--licence", nargs="+", required=True, help="NAME=FILE")
    args = p.parse_args()

    script = read(args.script)
    if "</script" in script.lower():
        raise SystemExit("make_page.py: the program's script would end its <script> element")
    with open(args.icon, "rb") as f:
        icon = base64.b64encode(f.read()).decode()
    licences = []
    for item in args.licence:
        name, path = item.split("=", 1)
        licences.append(f"{name}\n\n{read(path).strip()}\n")
    fields = {
        "@VERSION@": args.version,
        "@ICON@": icon,
        "@STYLE@": read(args.fonts) + "".join(read(c) for c in args.css),
        "@LICENCES@": html.escape("\n\n".join(licences)),
        "@SCRIPT@": script,
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

#!/usr/bin/env python3
"""Packs a folder into a zip that is the same bytes on every machine.

    pack_zip.py ZIP DIR

DIR's name is the zip's one top folder. Entries go in sorted order, with
fixed permissions (whatever the umask) and, when SOURCE_DATE_EPOCH is set,
that time on every entry; the files in DIR get that time too, so that the
installer made from them records the same.
"""
import os
import sys
import time
import zipfile


def main():
    zip_path, root = sys.argv[1:]
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    parent = os.path.dirname(os.path.abspath(root))
    paths = [os.path.abspath(root)]
    for dirpath, dirnames, filenames in os.walk(root):
        paths += [os.path.abspath(os.path.join(dirpath, n)) for n in dirnames + filenames]
    paths.sort()
    with zipfile.ZipFile(zip_path + ".tmp", "w") as z:
        for path in paths:
            if epoch is not None:
                os.utime(path, (int(epoch), int(epoch)))
            # DOS times have no zone and start in 1980; UTC, so that the zone does not matter.
            stamp = max(int(epoch) if epoch is not None else os.stat(path).st_mtime, 315532800)
            name = os.path.relpath(path, parent).replace(os.sep, "/")
            is_dir = os.path.isdir(path)
            info = zipfile.ZipInfo(name + "/" if is_dir else name, time.gmtime(stamp)[:6])
            info.create_system = 3  # Unix, for the permissions below
            mode = 0o40755 if is_dir else 0o100755 if name.endswith(".exe") else 0o100644
            info.external_attr = mode << 16 | (0x10 if is_dir else 0)
            if is_dir:
                z.writestr(info, b"")
            else:
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(path, "rb") as f:
                    z.writestr(info, f.read(), compresslevel=9)
    os.replace(zip_path + ".tmp", zip_path)


main()

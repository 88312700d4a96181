#!/usr/bin/env python3
"""The program file checker's verdicts on Windows XP loading, and its lists of XP's exports."""
import os
import sys
import unittest

WIN32 = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "win32")
sys.path.insert(0, WIN32)
import check_exe  # noqa: E402

# objdump -p's layout, as binutils 2.40 prints it, including an import by ordinal.
OBJDUMP = """\
MajorOSystemVersion\t{os[0]}
MinorOSystemVersion\t{os[1]}
MajorSubsystemVersion\t{sub[0]}
MinorSubsystemVersion\t{sub[1]}

The Import Tables (interpreted .idata section contents)
 vma:            Hint    Time      Forward  DLL       First
\tDLL Name: KERNEL32.dll
\tvma:  Hint/Ord Member-Name Bound-To
\tb18e6\t  785  {kernel32}

\tDLL Name: user32.dll
\tvma:  Hint/Ord Member-Name Bound-To
\t{user32}

PE File Base Relocations (interpreted .reloc section contents)
\tb1f00\t   12  NotAnImport
"""
LISTS = check_exe.read_lists(os.path.join(WIN32, "nt51"))


def failures(os_=(4, 0), sub=(4, 0), kernel32="Sleep", user32="b1d9a\t    5  MessageBoxW"):
    out = OBJDUMP.format(os=os_, sub=sub, kernel32=kernel32, user32=user32)
    return [what for ok, what in check_exe.windows_checks(out, LISTS, "5.1") if not ok]


class Verdicts(unittest.TestCase):
    def test_verdicts(self):
        for kwargs, expected in [
            ({}, []),
            ({"os_": (5, 1), "sub": (5, 1)}, []),
            ({"sub": (5, 2)}, ["subsystem version 5.2 at most 5.1"]),
            ({"os_": (6, 0)}, ["OS version 6.0 at most 5.1"]),
            ({"kernel32": "GetTickCount64"}, ["KERNEL32.dll!GetTickCount64 not exported by Windows 5.1"]),
            ({"user32": "800007d5\t 2005  <none>"}, ["user32.dll imported by ordinal 2005"]),
            ({"user32": "DLL Name: comctl32.dll\n\tb2000\t   1  InitCommonControls"},
             ["comctl32.dll: no list of what Windows 5.1 exports"]),
        ]:
            with self.subTest(**kwargs):
                self.assertEqual(failures(**kwargs), expected)

    def test_no_table_is_no_pass(self):
        self.assertIn("import table read (0 imports)", [w for ok, w in check_exe.windows_checks(
            "MajorOSystemVersion 4\nMinorOSystemVersion 0\nMajorSubsystemVersion 4\nMinorSubsystemVersion 0\n",
            LISTS, "5.1") if not ok])


class Lists(unittest.TestCase):
    def test_known_names(self):
        # On XP (or added by XP SP2/SP3), and Server 2003 / Vista-only, respectively.
        present = {"user32.dll": ["CreateWindowExW", "GetSysColor", "MessageBoxW", "DrawFrameControl"],
                   "kernel32.dll": ["InitializeCriticalSection", "GetLogicalProcessorInformation", "SetDllDirectoryW",
                                    "IsWow64Process", "GetProcessId", "SetProcessDEPPolicy"],
                   "gdi32.dll": ["SetDCBrushColor", "GetGlyphIndicesW"], "msvcrt.dll": ["_beginthreadex", "malloc"]}
        absent = {"kernel32.dll": ["GetTickCount64", "FlsAlloc", "InitializeSRWLock", "CompareStringEx", "GetThreadId",
                                   "InitializeConditionVariable", "AddVectoredContinueHandler"],
                  "user32.dll": ["GetWindowLongPtrW", "UpdateLayeredWindowIndirect"],
                  "msvcrt.dll": ["_except_handler4_common"]}
        for dll, names in present.items():
            for name in names:
                self.assertTrue(name in LISTS[dll], f"{dll}!{name} missing")
        for dll, names in absent.items():
            for name in names:
                self.assertFalse(name in LISTS[dll], f"{dll}!{name} listed")


if __name__ == "__main__":
    unittest.main()

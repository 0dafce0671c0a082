#!/usr/bin/env python3
"""The folders' layers, checked over every C and C++ source git knows:

- a file includes headers of its own folder and of the folders below it only
  (common < settings < printer < pages < app; vxctl and the installer stand on
  bases of their own);
- a portable file (none of its folders named win32) includes neither a Windows
  header nor a header from a win32/ folder, but in a branch of #ifdef _WIN32.
  The Windows-side tests and benchmarks are Windows programs as a whole.

Prints each offending line as FILE:LINE: reason, and exits 1 when there is one.

usage: layering.py [SOURCE_ROOT]
"""
import pathlib
import re
import subprocess
import sys

# What each folder may include besides itself. resources/ holds the resource ids
# and the program's resource script, below everything.
BASE = {"common": set(), "resources": set()}
BASE["settings"] = {"common", "resources"}
BASE["printer"] = BASE["settings"] | {"settings"}
BASE["pages"] = BASE["printer"] | {"printer"}
BASE["app"] = BASE["pages"] | {"pages"}
BASE["cli"] = {"common", "resources", "settings", "printer", "pages"}
BASE["installer"] = {"common", "resources"}

# Whole programs of the Windows side among the tests and benchmarks.
WINDOWS_SIDE = ("tests/e2e/", "bench/startup/", "tests/installer/installer_e2e")

WINDOWS_HEADER = re.compile(
    r"(win[a-z0-9_]*|ws2[a-z0-9_]*|commctrl|commdlg|cderr|shellapi|shlobj|shlwapi|objbase|"
    r"ole2|oleauto|olectl|setupapi|lzexpand|htmlhelp|tchar|mmsystem|iphlpapi|msi|msiquery|"
    r"uxtheme|dbt|devguid|usbprint|lmcons|rpc|unknwn|wtypes)\.h",
    re.IGNORECASE)
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
CONDITION = re.compile(r"^\s*#\s*(if|ifdef|ifndef|elif|else|endif)\b(.*)")


def windows_lines(lines):
    """For each line, whether it is compiled for Windows only (#ifdef _WIN32 and its
    like, or the #else of #ifndef _WIN32)."""
    stack = []  # per open #if: True, False (its other branch) or None (no _WIN32 test)
    for line in lines:
        match = CONDITION.match(line)
        if match:
            word, rest = match.groups()
            tests_win32 = "_WIN32" in rest and "!" not in rest and "||" not in rest
            if word in ("if", "ifdef"):
                stack.append(True if tests_win32 else None)
            elif word == "ifndef":
                stack.append(False if tests_win32 else None)
            elif word in ("else", "elif") and stack and stack[-1] is not None:
                stack[-1] = not stack[-1] if word == "else" else None
            elif word == "endif" and stack:
                stack.pop()
        yield any(branch is True for branch in stack)


def problems(root: pathlib.Path):
    files = subprocess.run(["git", "ls-files", "*.c", "*.cpp", "*.h"], cwd=root, check=True,
                           capture_output=True, text=True).stdout.split()
    for name in files:
        parts = name.split("/")
        folder = parts[0]
        portable = "win32" not in parts[:-1] and not name.startswith(WINDOWS_SIDE)
        text = (root / name).read_text(encoding="utf-8", errors="replace")
        lines = text.splitlines()
        for number, (line, windows_only) in enumerate(zip(lines, windows_lines(lines)), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            bracket, header = match.groups()
            where = f"{name}:{number}"
            checked = portable and not windows_only
            if checked and bracket == "<" and WINDOWS_HEADER.fullmatch(header):
                yield f"{where}: portable code includes <{header}>"
            if bracket != '"':
                continue
            target = header.split("/")
            if checked and "win32" in target[:-1]:
                yield f"{where}: portable code includes the Win32 header {header}"
            if folder in BASE and len(target) > 1 and target[0] in BASE:
                if target[0] != folder and target[0] not in BASE[folder]:
                    yield f"{where}: {folder}/ includes {header} from a layer above it"


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    found = list(problems(root))
    for p in found:
        print(p)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())

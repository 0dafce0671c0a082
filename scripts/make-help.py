#!/usr/bin/env python3
"""Compiles the help sources in help/ into the HTML Help file QLV3906.chm.

The sources are UTF-8 so that they stay readable and diffable. The HTML Help
viewer of a Japanese (0x411) help file reads the title, the contents (.hhc) and
the index (.hhk) in code page 932, so every source is converted to CP932 first
(a character that CP932 lacks stops the build), and the topics' declared
character set declared in the topics, the contents and the index follows:
"charset=UTF-8" becomes "charset=Shift_JIS". chmcmd then
compiles the converted copy, byte for byte as it stands.

usage: make-help.py --source help --work DIR --out QLV3906.chm
"""
import argparse
import re
import shutil
import subprocess
import sys
from pathlib import Path

PROJECT = "QLV3906.hhp"
TEXT_SUFFIXES = {".hhp", ".hhc", ".hhk", ".htm", ".css"}
CHARSET = re.compile(r"charset=UTF-8", re.IGNORECASE)


def convert(source: Path, target: Path):
    text = source.read_text(encoding="utf-8")
    if source.suffix in (".htm", ".hhc", ".hhk"):
        if len(CHARSET.findall(text)) != 1:
            sys.exit(f"make-help: {source.name} must declare charset=UTF-8 once")
        text = CHARSET.sub("charset=Shift_JIS", text)
    try:
        data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")
    except UnicodeEncodeError as e:
        line = text.count("\n", 0, e.start) + 1
        sys.exit(f"make-help: {source.name}:{line}: {text[e.start]!r} has no code in CP932")
    target.write_bytes(data)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", type=Path, required=True)
    parser.add_argument("--work", type=Path, required=True)
    parser.add_argument("--out", type=Path, required=True)
    args = parser.parse_args()

    if args.work.exists():
        shutil.rmtree(args.work)
    args.work.mkdir(parents=True)
    for f in sorted(args.source.iterdir()):
        if f.suffix in TEXT_SUFFIXES:
            convert(f, args.work / f.name)

    run = subprocess.run(["chmcmd", "--verbosity", "1", PROJECT], cwd=args.work,
                         capture_output=True, text=True, encoding="utf-8", errors="replace")
    sys.stdout.write(run.stdout)
    sys.stderr.write(run.stderr)
    built = args.work / "QLV3906.chm"
    if run.returncode != 0 or not built.is_file() or re.search(r"^Error", run.stdout, re.M):
        sys.exit("make-help: chmcmd failed")
    args.out.parent.mkdir(parents=True, exist_ok=True)
    shutil.copyfile(built, args.out)


if __name__ == "__main__":
    main()

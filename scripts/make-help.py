#!/usr/bin/env python3
"""Compiles the help sources in help/ into the HTML Help file QLV3906.chm.

The sources are UTF-8 so that they stay readable and diffable. A topic's source
is its title line, <title>...</title>, followed by its body; this script writes
the head and the foot that every topic shares around them, and expands the
lines below where a topic holds them:

  <!--#factory-->          the factory settings of this page, taken from the
                           full list in defaults.htm (the page's rows there,
                           without the switch numbers in parentheses)
  <!--#related a.htm b.htm-->
                           the heading "関連項目" and a list of links to the
                           topics named, each shown with its own title
  <!--#topics a.htm b.htm-->
                           that list of links alone

A topic named in a list may carry a note written right after its name, without
spaces: install.htm（...）. The names may span lines up to the closing "-->".

The HTML Help viewer of a Japanese (0x411) help file reads the title, the
contents (.hhc) and the index (.hhk) in code page 932, so every file is converted
to CP932 (a character that CP932 lacks stops the build) and declares
"charset=Shift_JIS": the topics in the shared head, the contents and the index
in place of their own "charset=UTF-8". chmcmd then compiles the converted copy,
byte for byte as it stands.

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
TITLE = re.compile(r"<title>([^<\n]+)</title>\n")
HEAD = """<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">
<html lang="ja">
<head>
<meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">
<title>{title}</title>
<link rel="stylesheet" type="text/css" href="style.css">
</head>
<body>
"""
FOOT = "</body>\n</html>\n"
DIRECTIVE = re.compile(r"<!--#(\w+)(.*?)-->", re.S)
FACTORY_LIST = "defaults.htm"
FACTORY_ROW = re.compile(r'^<tr>(?:<td rowspan="\d+"><a href="([^"]+)">[^<]*</a></td>)?'
                         r"<td>([^<]*)</td><td>([^<]*)</td></tr>$", re.M)
FACTORY_HEADING = "<h2>工場出荷設定の一覧</h2>"
SWITCH_NUMBERS = re.compile(r"（MSW[^）]*）$")


def fail(message: str):
    sys.exit(f"make-help: {message}")


def factory_rows(defaults: str):
    """The rows of the full factory list, each as (page, setting, value)."""
    rows, page = [], None
    for m in FACTORY_ROW.finditer(defaults, max(defaults.find(FACTORY_HEADING), 0)):
        page = m.group(1) or page
        rows.append((page, m.group(2), m.group(3)))
    return rows


def links(names: str, titles: dict, topic: str) -> str:
    items = []
    for name in names.split():
        m = re.fullmatch(r"(\S+?\.htm)(\S*)", name)
        if not m or m.group(1) not in titles:
            fail(f"{topic}: {name} names no topic")
        target, note = m.groups()
        items.append(f'<li><a href="{target}">{titles[target]}</a>{note}</li>\n')
    return "<ul>\n" + "".join(items) + "</ul>"


def factory_table(rows, topic: str) -> str:
    mine = [f"<tr><td>{SWITCH_NUMBERS.sub('', setting)}</td><td>{value}</td></tr>\n"
            for page, setting, value in rows if page == topic]
    if not mine:
        fail(f"{topic}: {FACTORY_LIST} lists no factory settings of this page")
    return (FACTORY_HEADING + "\n<table>\n"
            "<tr><th>設定項目</th><th>工場出荷設定</th></tr>\n" + "".join(mine) + "</table>")


def expand(topic: str, body: str, titles: dict, rows) -> str:
    def directive(m):
        kind, names = m.groups()
        if kind == "related":
            return "<h2>関連項目</h2>\n" + links(names, titles, topic)
        if kind == "topics":
            return links(names, titles, topic)
        if kind == "factory" and not names.strip():
            return factory_table(rows, topic)
        fail(f"{topic}: unknown line {m.group(0)!r}")

    return DIRECTIVE.sub(directive, body)


def topics(source: Path):
    """Every topic's source split into its title and body."""
    found = {}
    for f in sorted(source.glob("*.htm")):
        text = f.read_text(encoding="utf-8").replace("\r\n", "\n")
        cp932(f.name, text)
        m = TITLE.match(text)
        if not m:
            fail(f"{f.name} must begin with its title line, <title>...</title>")
        body = text[m.end():]
        if re.search(r"<(?:!DOCTYPE|html|head|body|meta)\b|charset=", body, re.I):
            fail(f"{f.name}: the head and the foot of a topic are written by make-help")
        found[f.name] = (m.group(1), body)
    return found


def cp932(name: str, text: str) -> bytes:
    """The text in CP932 with Windows line ends; name and line in the source
    are reported for a character that CP932 lacks."""
    text = text.replace("\n", "\r\n")
    try:
        return text.encode("cp932")
    except UnicodeEncodeError as e:
        line = text.count("\n", 0, e.start) + 1
        fail(f"{name}:{line}: {text[e.start]!r} has no code in CP932")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", type=Path, required=True)
    parser.add_argument("--work", type=Path, required=True)
    parser.add_argument("--out", type=Path, required=True)
    args = parser.parse_args()

    if args.work.exists():
        shutil.rmtree(args.work)
    args.work.mkdir(parents=True)
    pages = topics(args.source)
    titles = {name: title for name, (title, _) in pages.items()}
    rows = factory_rows(pages[FACTORY_LIST][1]) if FACTORY_LIST in pages else []
    for name, (title, body) in pages.items():
        text = HEAD.format(title=title) + expand(name, body, titles, rows) + FOOT
        (args.work / name).write_bytes(cp932(name, text))
    for f in sorted(args.source.iterdir()):
        if f.suffix in TEXT_SUFFIXES - {".htm"}:
            text = f.read_text(encoding="utf-8").replace("\r\n", "\n")
            if f.suffix in (".hhc", ".hhk"):
                if len(CHARSET.findall(text)) != 1:
                    fail(f"{f.name} must declare charset=UTF-8 once")
                text = CHARSET.sub("charset=Shift_JIS", text)
            (args.work / f.name).write_bytes(cp932(f.name, text))

    run = subprocess.run(["chmcmd", "--verbosity", "1", PROJECT], cwd=args.work,
                         capture_output=True, text=True, encoding="utf-8", errors="replace")
    sys.stdout.write(run.stdout)
    sys.stderr.write(run.stderr)
    built = args.work / "QLV3906.chm"
    if run.returncode != 0 or not built.is_file() or re.search(r"^Error", run.stdout, re.M):
        fail("chmcmd failed")
    args.out.parent.mkdir(parents=True, exist_ok=True)
    shutil.copyfile(built, args.out)


if __name__ == "__main__":
    main()

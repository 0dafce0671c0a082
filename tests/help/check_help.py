#!/usr/bin/env python3
"""The built help file, taken apart with extract_chmLib (Debian's libchm-bin):
it is an HTML Help file for Japanese, every topic of its contents and index is in
it, its topics declare their character set and run no scripts, and each setting
page's topic names every label and every list item of that page's template, read
from the resource file the pages are built from, its choice and switch cells kept on
one line, and the factory settings given once.

Every message either program shows is quoted on the messages topic, and the index
is in the order of the keywords' readings (五十音順).

usage: check_help.py --chm QLV3906.chm --rc resources/qlv3906.rc --hhp help/QLV3906.hhp
                     --texts common/texts.h --installer-texts installer/installer_texts.h
"""
import argparse
import html.parser
import re
import struct
import subprocess
import sys
import tempfile
import unicodedata
import unittest
from pathlib import Path

ARGS = None
JAPANESE = 0x411
# The topic that explains each page template.
PAGE_TOPICS = {
    "IDD_PAGE_SELECT": "select.htm",
    "IDD_PAGE_MSW1": "msw1.htm",
    "IDD_PAGE_MSW2": "msw2.htm",
    "IDD_PAGE_MSW3": "msw3.htm",
    "IDD_PAGE_MSW4": "msw4.htm",
}


# The texts of the two programs' text headers that no message box shows: captions and
# status-bar parts, progress lines, file filters, registry and shortcut names.
NOT_MESSAGES = {
    "kMsiMarkKey", "kMsiMarkValue",
    "kCaption", "kPrinterNamePart", "kDestinationPart", "kFileFilter", "kSourcePrinterBefore",
    "kSourcePrinterAfter", "kSourceFile", "kSourceFactory", "kSourceChanged",
    "kSection", "kDefaultDestination", "kBrowseTitle", "kPercent", "kPreparing",
    "kInstallStarting", "kInstallingInstaller", "kInstallingSetupFile", "kInstallingFile",
    "kRegisteringShortcuts", "kRegisteringRegistry", "kInstallDoneStep", "kInstallStopped",
    "kUninstallRoot", "kInstalledFiles", "kPublisher", "kInstalledFolders", "kShellFoldersHklm",
    "kShellFoldersDefaultUser", "kProgramDescription", "kHelpDescription", "kHelpShortcutName",
    "kUninstallStarting", "kRemovingShortcuts", "kRemovingRegistry", "kDeletingFiles",
    "kUninstallProgressTitle",
}
MESSAGES_TOPIC = "messages.htm"

# The readings of the index keywords that are not written in kana or Latin letters alone.
READINGS = {
    "印刷指令コード": "いんさつしれいこーど", "印刷モード": "いんさつもーど",
    "各国文字": "かっこくもじ", "紙づまり": "かみづまり", "漢字コード表": "かんじこーどひょう",
    "機能選択": "きのうせんたく", "キー操作": "きーそうさ", "工場出荷設定": "こうじょうしゅっかせってい",
    "高速モード": "こうそくもーど", "国際文字セット": "こくさいもじせっと", "ゴシック体": "ごしっくたい",
    "困ったときは": "こまったときは", "自動排出": "じどうはいしゅつ", "自動復改": "じどうふっかい",
    "終了": "しゅうりょう", "受信": "じゅしん", "書体選択": "しょたいせんたく",
    "設定値の印刷": "せっていちのいんさつ", "設定ファイル": "せっていふぁいる",
    "節電機能": "せつでんきのう", "送信": "そうしん",
    "ダウンロードしたファイルの印": "だうんろーどしたふぁいるのしるし",
    "使えないコマンド": "つかえないこまんど", "濃度": "のうど", "明朝体": "みんちょうたい",
    "用紙長": "ようしちょう", "用紙無し": "ようしなし", "ドラッグ＆ドロップ": "どらっぐあんどどろっぷ",
    "フォント１、フォント２": "ふぉんといちふぉんとに", "バージョン情報": "ばーじょんじょうほう",
    "ブザー機能": "ぶざーきのう", "ポート選択": "ぽーとせんたく",
    "グラフィックドット数": "ぐらふぃっくどっとすう", "終了コード": "しゅうりょうこーど",
}


def reading_key(keyword: str):
    """The order of a keyword: Latin letters and figures first, then by the kana of its
    reading, voicing marks, small kana and long-vowel marks aside (as dictionaries sort)."""
    text = unicodedata.normalize("NFKC", READINGS.get(keyword, keyword))
    if not re.match(r"[\u3040-\u30ff]", text):
        return (0, text.lower(), keyword)
    kana = "".join(chr(ord(c) - 0x60) if "\u30a1" <= c <= "\u30f6" else c for c in text)
    base = unicodedata.normalize("NFKD", kana)
    base = "".join(c for c in base if c not in "\u3099\u309a\u30fc")
    base = base.translate(str.maketrans("ぁぃぅぇぉっゃゅょゎ", "あいうえおつやゆよわ"))
    return (1, base, keyword)


def message_texts(header: Path):
    """Each message of a text header by name, its string pieces joined."""
    found = {}
    for name, body in re.findall(r'inline constexpr char (k\w+)\[\] =\s*((?:"(?:[^"\\]|\\.)*"\s*)+);',
                                 header.read_text(encoding="utf-8")):
        if name not in NOT_MESSAGES:
            found[name] = "".join(re.findall(r'"((?:[^"\\]|\\.)*)"', body))
    return found


def message_parts(message: str):
    """The parts of a message a reader sees whole: lines, and the text between the
    names and numbers it puts in."""
    parts = re.split(r"\\n|%[sdc]", message)
    return [re.sub(r"\s+", " ", p).strip() for p in parts if p.strip()]


class Text(html.parser.HTMLParser):
    """The text a reader sees, white space collapsed; tags and scripts noted."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.parts, self.tags, self.handlers = [], set(), []

    def handle_starttag(self, tag, attrs):
        self.tags.add(tag)
        self.handlers += [k for k, v in attrs if k.startswith("on") or
                          (v and v.strip().lower().startswith("javascript:"))]

    def handle_data(self, data):
        self.parts.append(data)

    def text(self):
        return re.sub(r"\s+", " ", "".join(self.parts))


def read_text(data: bytes) -> Text:
    t = Text()
    t.feed(data.decode("cp932"))  # strict: a byte that is not CP932 fails
    t.close()
    return t


def sitemap_locals(data: bytes):
    return re.findall(r'<param name="Local" value="([^"]*)"', data.decode("cp932"), re.I)


def rc_blocks(rc: str, name: str, kind: str) -> str:
    m = re.search(rf"^{name} {kind}\b.*?^BEGIN$(.*?)^END$", rc, re.M | re.S)
    return m.group(1) if m else ""


def shown(label: str) -> str:
    """A resource text as the control shows it: "&" marks the mnemonic, "&&" is "&"."""
    return re.sub(r"\s+", " ", label.replace("&&", "\0").replace("&", "").replace("\0", "&")).strip()


def list_items(name: str):
    """The item texts of one list of pages/list_items.h, which the resource file's
    item lists expand."""
    header = Path(ARGS.rc).resolve().parent.parent / "pages" / "list_items.h"
    m = re.search(rf"^#define {name}\(X, id\)(.*?)(?<!\\)$", header.read_text(encoding="utf-8"),
                  re.M | re.S)
    return re.findall(r'X\(id, "([^"]*)", \d+\)', m.group(1)) if m else []


def page_text_macros():
    """The label and button texts of pages/page_texts.h, which the templates name."""
    header = Path(ARGS.rc).resolve().parent.parent / "pages" / "page_texts.h"
    return dict(re.findall(r'^#define (VX_TEXT_\w+) "([^"]*)"$', header.read_text(encoding="utf-8"),
                           re.M))


def page_texts(rc: str, template: str):
    """Every label of the template and every item of its drop-down lists."""
    dialog = rc_blocks(rc, template, "DIALOGEX")
    macros = page_text_macros()
    labels = [text if name == "" else macros[name] for text, name in re.findall(
        r'^\s*(?:LTEXT|RTEXT|CTEXT|GROUPBOX|CONTROL|PUSHBUTTON)\s+(?:"((?:[^"]|"")*)"|(VX_TEXT_\w+))',
        dialog, re.M)]
    items = [t for name in re.findall(r"\b(VX_\w+_ITEMS)\(", rc_blocks(rc, template, "RT_PAGE_ITEMS"))
             for t in list_items(name)]
    return [shown(t.replace('""', '"')) for t in labels if t.strip()], items


class HelpFile(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.out = Path(cls.tmp.name)
        run = subprocess.run(["extract_chmLib", str(ARGS.chm), str(cls.out)],
                             capture_output=True, text=True, errors="replace")
        if run.returncode != 0:
            raise AssertionError(f"extract_chmLib failed: {run.stdout}{run.stderr}")
        cls.project = dict(re.findall(r"^([^=\[\n]+)=(.*)$", ARGS.hhp.read_text(encoding="utf-8"), re.M))

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def member(self, name: str) -> bytes:
        path = self.out / name
        self.assertTrue(path.is_file(), f"{name} is not in the help file")
        return path.read_bytes()

    def system_entries(self):
        data = self.member("#SYSTEM")
        entries, at = {}, 4
        while at + 4 <= len(data):
            code, size = struct.unpack_from("<HH", data, at)
            entries[code] = data[at + 4:at + 4 + size]
            at += 4 + size
        return entries

    def test_is_a_japanese_html_help_file_with_its_title(self):
        head = ARGS.chm.read_bytes()[:0x18]
        self.assertEqual(head[:4], b"ITSF")
        self.assertEqual(struct.unpack_from("<I", head, 0x14)[0], JAPANESE)
        system = self.system_entries()
        self.assertEqual(struct.unpack_from("<I", system[4])[0], JAPANESE)
        title = system[3].rstrip(b"\0").decode("cp932")
        self.assertEqual(title, self.project["Title"])
        self.assertEqual(title, "ZAM QX-K480/330 ベルトリクス ヘルプ")
        for code, key in ((0, "Contents file"), (1, "Index file"), (2, "Default topic")):
            name = system[code].rstrip(b"\0").decode("ascii")
            self.assertEqual(name, self.project[key])
            self.member(name)

    def test_every_topic_of_the_contents_and_index_is_in_it(self):
        contents = self.member(self.project["Contents file"])
        index = self.member(self.project["Index file"])
        topics = set(sitemap_locals(contents))
        self.assertGreaterEqual(topics, set(PAGE_TOPICS.values()) | {self.project["Default topic"]})
        for topic in topics | set(sitemap_locals(index)):
            self.member(topic)
        # The contents and the index are Japanese in the help viewer's code page.
        for sitemap, entry in ((contents, "機能選択ページ"), (index, "用紙長")):
            self.assertIn(b"charset=Shift_JIS", sitemap)
            self.assertTrue(f'"{entry}"' in sitemap.decode("cp932"), f"no entry {entry}")

    def test_topics_declare_their_character_set_and_run_no_scripts(self):
        topics = sorted(self.out.glob("*.htm"))
        self.assertGreaterEqual(len(topics), 14)
        for topic in topics:
            data = topic.read_bytes()
            self.assertIn(b'content="text/html; charset=Shift_JIS"', data, topic.name)
            page = read_text(data)
            self.assertNotIn("script", page.tags, topic.name)
            self.assertEqual(page.handlers, [], topic.name)

    def test_each_page_topic_names_every_label_and_list_item_of_its_page(self):
        rc = ARGS.rc.read_text(encoding="utf-8")
        for template, topic in PAGE_TOPICS.items():
            with self.subTest(template=template):
                self.check_page(rc, template, topic)

    def check_page(self, rc, template, topic):
        labels, items = page_texts(rc, template)
        self.assertGreaterEqual(len(labels), 8, f"{template}: too few labels read")
        text = read_text(self.member(topic)).text()
        missing = [t for t in labels + items if t not in text]
        self.assertEqual(missing, [], f"{topic} does not explain these texts of {template}")
        # The viewer's old engine breaks narrow cells letter by letter: choices and switch
        # states stay on one line. The factory setting is the table's column, said once.
        raw = self.member(topic).decode("cp932")
        wrapping = re.findall(r'<td class="ui">[^<]*|<td>(?:MSW\d-\d[^<]*|ON|OFF)</td>', raw)
        self.assertEqual(wrapping, [], f"{topic}: choice or switch cells without nowrap")
        self.assertNotIn("工場出荷設定の一覧", text, f"{topic} repeats the factory settings")

    def test_the_status_bar_topic_explains_each_source_text_and_warns_about_sending(self):
        texts = dict(re.findall(r'inline constexpr char (kSource\w+)\[\] = "([^"]*)";',
                                ARGS.texts.read_text(encoding="utf-8")))
        self.assertEqual(len(texts), 5, "the source texts were not read")
        text = read_text(self.member("commands.htm")).text()
        shown = [texts["kSourcePrinterBefore"] + "14:05" + texts["kSourcePrinterAfter"],
                 texts["kSourceFile"].strip(), texts["kSourceFactory"], texts["kSourceChanged"]]
        missing = [t for t in shown if t not in text]
        self.assertEqual(missing, [], "commands.htm does not explain these status-bar texts")
        for topic in ("commands.htm", "send.htm", "receive.htm"):
            self.assertIn("すべての設定", read_text(self.member(topic)).text(), topic)

    def test_the_messages_topic_quotes_every_message_of_both_programs(self):
        text = read_text(self.member(MESSAGES_TOPIC)).text()
        for header in (ARGS.texts, ARGS.installer_texts):
            messages = message_texts(header)
            self.assertGreaterEqual(len(messages), 25, f"too few messages read from {header}")
            missing = {name: part for name, message in messages.items()
                       for part in message_parts(message) if part not in text}
            self.assertEqual(missing, {}, f"{MESSAGES_TOPIC} does not quote these messages")

    def test_the_index_is_in_the_order_of_its_readings_and_has_the_keywords_users_look_for(self):
        index = self.member(self.project["Index file"]).decode("cp932")
        # The keywords of the first level: those right inside the outermost list.
        depth, keywords = 0, []
        for m in re.finditer(r'<UL>|</UL>|<param name="Name" value="([^"]*)">', index, re.I):
            if m.group(0).upper() == "<UL>":
                depth += 1
            elif m.group(0).upper() == "</UL>":
                depth -= 1
            elif depth == 1:
                keywords.append(m.group(1))
        self.assertGreaterEqual(len(keywords), 50)
        self.assertEqual(keywords, sorted(keywords, key=reading_key))
        for wanted in ("スタートメニュー", "バージョン情報", "VXInst", "Veltrix", "紙づまり",
                       "メッセージ", "Windows 95/98/Me"):
            self.assertIn(wanted, keywords)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--chm", type=Path, required=True)
    parser.add_argument("--rc", type=Path, required=True)
    parser.add_argument("--hhp", type=Path, required=True)
    parser.add_argument("--texts", type=Path, required=True)
    parser.add_argument("--installer-texts", type=Path, required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], "-v"] + rest)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Makes the installer's distribution medium in OUT:

  OUT/VXInst.exe          the installer
  OUT/VXInst.ini          its setup information (code page 932, CRLF line ends), with the
                          CRC-32 of what each compressed file expands to (CHECKSUMS)
  OUT/DISK1/QLV3906.EX_   the settings program, SZDD-compressed, last character stored
  OUT/DISK1/QLV3906.chm   its HTML Help file (built from help/)
  OUT/QLV3906.msi         the same install as a Windows Installer package, for managed
                          networks (installer/msi/QLV3906.wxs, built with wixl)

There is no WinHelp file: it cannot be built here. Windows 95 and NT 4.0 read
HELP_FILE1, so it names the HTML Help file as well and the install works there
too; the program, looking for its WinHelp file on those two, disables its help
command.

usage: make-medium.py --installer VXInst.exe --program QLV3906.EXE --help-file QLV3906.chm
                      --version 1.0.0.0 --arch {x86,x64} --out DIR

With --package-only VERSION, OUT is a file and only the package is made, as that version
(the tests' newer package). The version is the build's one version number: both programs must carry it in
their version resource, or no medium is made.
"""
import argparse
import math
import os
import re
import shutil
import struct
import subprocess
import tempfile
import uuid
import zlib
from xml.sax.saxutils import escape
from pathlib import Path

DISK_PATH = "DISK1"
SETUP = [
    ("TITLE_NAME", "ZAM ベルトリクス"),
    ("PRINTER_NAME", "QX-K480/330"),
    ("INSTALL_FOLDER", "Veltrix"),
    ("DISK_PATH", DISK_PATH),
    ("VX_FILE", "QLV3906.EXE"),
    ("HELP_FILE1", "QLV3906.chm"),
    ("HELP_FILE2", "QLV3906.chm"),
]


ROOT = Path(__file__).resolve().parent.parent
WIX_SOURCE = ROOT / "installer" / "msi" / "QLV3906.wxs"
TEXTS = ROOT / "installer" / "installer_texts.h"
# The package's upgrade code: the same for every version and both architectures, so
# each package replaces any earlier one. Never change it.
UPGRADE_CODE = "D9E6C2D0-A93A-4BE1-9380-BC0CE095F62F"
# Product, package and component codes are derived from this namespace.
CODE_NAMESPACE = uuid.UUID(UPGRADE_CODE)


def installer_texts() -> dict:
    """The installer's texts (installer/installer_texts.h) by name, as the program has them."""
    source = TEXTS.read_text(encoding="utf-8")
    texts = {}
    for name, body in re.findall(r'inline constexpr char (k\w+)\[\] =\s*((?:"(?:[^"\\]|\\.)*"\s*)+);',
                                 source):
        joined = "".join(re.findall(r'"((?:[^"\\]|\\.)*)"', body))
        texts[name] = re.sub(r"\\(.)", lambda m: "\n" if m.group(1) == "n" else m.group(1), joined)
    return texts


def code(*parts) -> str:
    return str(uuid.uuid5(CODE_NAMESPACE, " ".join(parts))).upper()


def build_package(args, setup: dict, target: Path):
    """Builds the Windows Installer package: the WiX source with the setup information's
    values, the summary made Japanese (code page 932, template "<platform>;1041")."""
    texts = installer_texts()
    title, folder, printer = setup["TITLE_NAME"], setup["INSTALL_FOLDER"], setup["PRINTER_NAME"]
    values = {
        "Arch": args.arch,
        "Title": title,
        "InstallFolder": folder,
        "Publisher": texts["kPublisher"],
        "Subject": f"{texts['kPublisher']} {folder}",
        "Version": args.version,
        "ProgramFile": setup["VX_FILE"],
        "HelpFile": setup["HELP_FILE2"],
        "ProgramDescription": texts["kProgramDescription"] % printer,
        "HelpDescription": texts["kHelpDescription"] % printer,
        "HelpShortcutName": texts["kHelpShortcutName"],
        "NewerInstalled": texts["kMsiNewerInstalled"],
        "MarkKey": texts["kMsiMarkKey"] % folder,
        "MarkValue": texts["kMsiMarkValue"],
        "UpgradeCode": UPGRADE_CODE,
        "ProductCode": code("product", args.version, args.arch),
        "ProgramComponent": code("component program", args.arch),
        "HelpComponent": code("component help", args.arch),
        "ShortcutsComponent": code("component shortcuts", args.arch),
        "Mark32Component": code("component mark32", args.arch),
    }
    for name, value in values.items():
        try:
            value.encode("cp932")
        except UnicodeEncodeError:
            raise SystemExit(f"{name}: {value!r} cannot be written in code page 932")
    subject = values["Subject"]
    if not subject.isascii():
        raise SystemExit(f"the package's subject {subject!r} must be ASCII")

    # libmsi (wixl, msibuild) converts the tables' texts through the code page of
    # WINDOWS_LANGUAGE, else of the locale: a Western one cannot take the Japanese texts
    # (wixl 0.101 then crashes or writes them empty).
    env = dict(os.environ, WINDOWS_LANGUAGE="ja")
    platform = {"x86": "Intel", "x64": "x64"}[args.arch]
    with tempfile.TemporaryDirectory() as tmp:
        msi = Path(tmp) / target.name
        # wixl finds the files by name, beside the source, which it takes from there.
        shutil.copyfile(args.program, Path(tmp) / values["ProgramFile"])
        shutil.copyfile(args.help_file, Path(tmp) / values["HelpFile"])
        shutil.copyfile(WIX_SOURCE, Path(tmp) / WIX_SOURCE.name)
        # The values as an include file: wixl takes only ASCII from its command line.
        defines = "".join(f'  <?define {k}="{escape(v, {chr(34): "&quot;"})}"?>\n'
                          for k, v in values.items())
        (Path(tmp) / "QLV3906-values.wxi").write_text(
            f'<?xml version="1.0" encoding="utf-8"?>\n<Include>\n{defines}</Include>\n',
            encoding="utf-8")
        subprocess.run([args.wixl, "-a", args.arch, "-I", tmp, "-o", str(msi), WIX_SOURCE.name],
                       check=True, env=env, cwd=tmp)
        # The database's code page, and the summary wixl leaves English ("Intel;1033").
        idt = Path(tmp) / "_ForceCodepage.idt"
        idt.write_bytes(b"\r\n\r\n932\t_ForceCodepage\r\n")
        subprocess.run(["msibuild", str(msi), "-i", str(idt)], check=True, env=env)
        subprocess.run(["msibuild", str(msi), "-s", subject, texts["kPublisher"],
                        f"{platform};1041", "{" + code("package", args.version, args.arch) + "}"],
                       check=True, env=env)
        shutil.copyfile(msi, target)


def compress(program: Path, target: Path):
    """SZDD-compresses `program` into `target`, whose last character stands in for
    the real one; the real one is stored at header offset 9."""
    with tempfile.TemporaryDirectory() as tmp:
        plain = Path(tmp) / program.name
        shutil.copyfile(program, plain)
        subprocess.run(["mscompress", str(plain)], check=True)
        packed = bytearray((Path(tmp) / (program.name + "_")).read_bytes())
    if packed[:8] != b"SZDD\x88\xf0\x27\x33":
        raise SystemExit("mscompress did not write an SZDD file")
    packed[9] = ord(program.name[-1])
    target.write_bytes(bytes(packed))


def fixed_version(program: Path) -> str:
    """The file version of the program's version resource, as "a.b.c.d"."""
    image = program.read_bytes()
    at = image.find(struct.pack("<I", 0xFEEF04BD))  # VS_FIXEDFILEINFO's signature
    if at < 0:
        raise SystemExit(f"{program}: no version resource")
    ms, ls = struct.unpack_from("<II", image, at + 8)
    return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--installer", type=Path, required=True)
    parser.add_argument("--program", type=Path, required=True)
    parser.add_argument("--help-file", type=Path, required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--arch", choices=["x86", "x64"], required=True)
    parser.add_argument("--wixl", default="wixl")
    parser.add_argument("--out", type=Path, required=True)
    parser.add_argument("--package-only", metavar="VERSION",
                        help="write only the package, as version VERSION, to OUT (for the "
                        "tests: a newer package of the same files)")
    args = parser.parse_args()

    if args.package_only:
        args.version = args.package_only
        args.out.parent.mkdir(parents=True, exist_ok=True)
        build_package(args, dict(SETUP), args.out)
        return

    for program in (args.installer, args.program):
        if fixed_version(program) != args.version:
            raise SystemExit(f"{program}: version {fixed_version(program)}, not {args.version}")

    out = args.out
    if out.exists():
        shutil.rmtree(out)
    disk = out / DISK_PATH
    disk.mkdir(parents=True)

    shutil.copyfile(args.installer, out / "VXInst.exe")
    compress(args.program, disk / (args.program.name[:-1] + "_"))
    shutil.copyfile(args.help_file, disk / "QLV3906.chm")

    # The space the install needs: everything it writes, rounded up, plus 1 MB.
    installed = (args.program.stat().st_size + args.installer.stat().st_size +
                 args.help_file.stat().st_size)
    required_mb = math.ceil(installed / (1 << 20)) + 1

    # What each compressed file expands to, so the install can tell a damaged medium.
    packed_name = args.program.name[:-1] + "_"
    checksums = f"{packed_name}:{zlib.crc32(args.program.read_bytes()):08X}"

    lines = (["[SetupInformation]", f"DISK={required_mb}"] + [f"{k}={v}" for k, v in SETUP] +
             [f"CHECKSUMS={checksums}"])
    (out / "VXInst.ini").write_bytes(("\r\n".join(lines) + "\r\n").encode("cp932"))

    build_package(args, dict(SETUP), out / "QLV3906.msi")


if __name__ == "__main__":
    main()

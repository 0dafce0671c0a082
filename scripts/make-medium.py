#!/usr/bin/env python3
"""Makes the installer's distribution medium in OUT:

  OUT/VXInst.exe          the installer
  OUT/VXInst.ini          its setup information (code page 932, CRLF line ends), with the
                          CRC-32 of what each compressed file expands to (CHECKSUMS)
  OUT/DISK1/QLV3906.EX_   the settings program, SZDD-compressed, last character stored
  OUT/DISK1/QLV3906.chm   its HTML Help file (built from help/)

There is no WinHelp file: it cannot be built here. Windows 95 and NT 4.0 read
HELP_FILE1, so it names the HTML Help file as well and the install works there
too; the program, looking for its WinHelp file on those two, disables its help
command.

usage: make-medium.py --installer VXInst.exe --program QLV3906.EXE --help-file QLV3906.chm
                      --version 1.0.0.0 --out DIR

The version is the build's one version number: both programs must carry it in
their version resource, or no medium is made.
"""
import argparse
import math
import shutil
import struct
import subprocess
import tempfile
import zlib
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
    parser.add_argument("--out", type=Path, required=True)
    args = parser.parse_args()

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


if __name__ == "__main__":
    main()

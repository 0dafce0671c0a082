#!/usr/bin/env python3
"""A printer on the parallel port, for Wine: a pseudo-terminal whose slave
stands in for "LPT1:" (the prefix's dosdevices/lpt1 links to it).

Every byte the program writes to the port is appended to the --log file. When
the settings request 1C 6F 33 2E 00 has arrived, the scripted reply is written
back: the bytes of --reply-file if that file exists when the request arrives
(an empty file makes a silent printer), otherwise the --reply hex bytes.

Runs until SIGTERM or SIGINT, or until the process that started it is gone,
then removes the link.
"""

import argparse
import os
import select
import signal
import sys
import tty

REQUEST = bytes([0x1C, 0x6F, 0x33, 0x2E, 0x00])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("link", help="symlink to create, e.g. $WINEPREFIX/dosdevices/lpt1")
    parser.add_argument("--reply", default="", help="hex bytes answered to the request")
    parser.add_argument("--reply-file", help="raw reply bytes; overrides --reply when present")
    parser.add_argument("--log", help="file every received byte is appended to")
    args = parser.parse_args()
    default_reply = bytes.fromhex(args.reply)

    master, slave = os.openpty()
    tty.setraw(slave)  # no echo, no line editing: bytes pass as they are
    tty.setraw(master)
    if os.path.lexists(args.link):
        os.unlink(args.link)
    os.symlink(os.ttyname(slave), args.link)

    parent = os.getppid()
    stopping = False

    def stop(_signum, _frame):
        nonlocal stopping
        stopping = True

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)

    log = open(args.log, "ab", buffering=0) if args.log else None
    pending = b""
    try:
        while not stopping and os.getppid() == parent:
            try:
                ready, _, _ = select.select([master], [], [], 0.2)
            except InterruptedError:
                continue
            if not ready:
                continue
            # The slave stays open here, so the master never sees a hang-up
            # when the program closes the port.
            data = os.read(master, 4096)
            if log:
                log.write(data)
            pending += data
            while REQUEST in pending:
                pending = pending[pending.index(REQUEST) + len(REQUEST):]
                reply = default_reply
                if args.reply_file and os.path.exists(args.reply_file):
                    with open(args.reply_file, "rb") as f:
                        reply = f.read()
                if reply:
                    os.write(master, reply)
                print(f"request answered with {reply.hex() or 'nothing'}", flush=True)
            pending = pending[-(len(REQUEST) - 1):]
    finally:
        if os.path.islink(args.link) and os.readlink(args.link) == os.ttyname(slave):
            os.unlink(args.link)
        os.close(master)
        os.close(slave)
    return 0


if __name__ == "__main__":
    sys.exit(main())

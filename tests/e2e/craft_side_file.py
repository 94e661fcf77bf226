#!/usr/bin/env python3
"""craft_side_file.py KIND OUTPUT [SAMPLE]: a damaged or hostile side file, a
record archive gzipped, cut (from the sample side file) or damaged as KIND says.
Crafted names aim outside the installation directory at a file dunvo_escape."""
import gzip
import struct
import sys


def record(name, data, size=None):
    return bytes([len(name)]) + name + struct.pack("<I", len(data) if size is None else size) + data


X16 = b"x" * 16
RECORDS = {
    "dotdot": record(b"..\\..\\dunvo_escape", X16),
    "name255": record(b"sound\\" + b"d" * 245 + b".mp3", X16),
    "control_name": record(b"sound\\002.mp3\r\nSetup is complete", X16),
    "size_huge": record(b"sound\\002.mp3", X16, size=0x7FFFFFF0),  # told as damage before any memory is asked
    "size_top_bit": record(b"sound\\002.mp3", X16, size=0x80000010),
}


def crafted(kind, sample_path):
    if kind in RECORDS:
        return gzip.compress(RECORDS[kind], mtime=0)
    archive, at = gzip.decompress(open(sample_path, "rb").read()), 0  # "cut": the archive ends inside record 5
    for _ in range(4):
        at += 5 + archive[at] + struct.unpack_from("<I", archive, at + 1 + archive[at])[0]
    return gzip.compress(archive[: at + 18 + 1000], compresslevel=1)


open(sys.argv[2], "wb").write(crafted(sys.argv[1], sys.argv[3] if len(sys.argv) > 3 else None))

#!/usr/bin/env python3
"""craft_side_file.py KIND OUTPUT SAMPLE: a damaged or hostile side file made
from the sample side file SAMPLE. A crafted record archive is padded to the
sample's plain size, so that its ends pass for a whole side file; "cut" is the
sample as a download that stopped at 40 %; "damaged" has one byte of a
recitation changed, its size and trailer still the sample's. Crafted names aim
outside the installation directory at a file dunvo_escape."""
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


def crafted(kind, sample):
    if kind == "cut":
        return sample[: len(sample) * 2 // 5]
    if kind == "damaged":
        plain = bytearray(gzip.decompress(sample))
        plain[len(plain) // 2] ^= 0xFF
        return gzip.compress(plain, compresslevel=0, mtime=0)[:-8] + sample[-8:]  # the sample's CRC and size
    plain = RECORDS[kind]
    return gzip.compress(plain + bytes(struct.unpack("<I", sample[-4:])[0] - len(plain)), compresslevel=1, mtime=0)


open(sys.argv[2], "wb").write(crafted(sys.argv[1], open(sys.argv[3], "rb").read()))

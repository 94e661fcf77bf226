#!/usr/bin/env python3
"""Writes a small hostile or damaged side file for the end-to-end scenarios.

    craft_side_file.py KIND OUTPUT

Each KIND is a record archive of one or two records (a name length byte, the
name, a 32-bit little-endian size, the data), gzipped, cut or damaged as its
name says. The names aim outside the installation directory at a file called
dunvo_escape, so that a scenario can look for it anywhere."""
import gzip
import struct
import sys


def record(name, data, size=None):
    size = len(data) if size is None else size
    return bytes([len(name)]) + name + struct.pack("<I", size) + data


GOOD = record(b"sound\\002.mp3", b"ID3" + bytes(61))
KINDS = {
    "dotdot": record(b"..\\..\\dunvo_escape", b"x" * 16),
    "backslash": record(b"\\dunvo_escape", b"x" * 16),
    "drive": record(b"C:\\dunvo_escape", b"x" * 16),
    "stream": record(b"sound\\002.mp3:dunvo_escape", b"x" * 16),
    "name255": record(b"sound\\" + b"d" * 245 + b".mp3", b"x" * 16),
    "empty_name": record(b"", b"x" * 16),
    "size_past_end": record(b"sound\\002.mp3", b"x" * 16, size=1000),
    "size_huge": record(b"sound\\002.mp3", b"x" * 16, size=0x7FFFFFF0),
    "control_name": record(b"sound\\002.mp3\r\nSetup is complete", b"x" * 16),
    "size_top_bit": record(b"sound\\002.mp3", b"x" * 16, size=0x80000010),
    "ends_in_name": bytes([40]) + b"sound\\00",
    "ends_in_size": bytes([13]) + b"sound\\002.mp3" + b"\x40\x00",
    "ends_in_data": record(b"sound\\002.mp3", b"x" * 16, size=64),
    # Sound, and small packed: 48 MB of zeros, more than a small disk holds.
    "large": record(b"sound\\002.mp3", bytes(48 << 20)),
}


def main():
    kind, output = sys.argv[1], sys.argv[2]
    if kind == "bad_crc":
        packed = bytearray(gzip.compress(GOOD * 2, mtime=0))
        packed[-8] ^= 0xFF  # the CRC-32 of the trailer
    elif kind == "not_gzip":
        # Read as it stands: the length byte 'R' asks for more name than there is.
        packed = b"Recitations are sold separately.\r\n"
    else:
        packed = gzip.compress(KINDS[kind], mtime=0)
    with open(output, "wb") as out:
        out.write(packed)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes a damaged or hostile side file for the end-to-end scenarios:

    craft_side_file.py KIND OUTPUT [SAMPLE]

A record archive (per record a name length byte, the name, a 32-bit
little-endian size, the data) gzipped, cut or damaged as KIND says; the kinds
damaged, short and cut are made from the sample side file SAMPLE. Crafted
names aim outside the installation directory at a file called dunvo_escape."""
import gzip
import struct
import sys


def record(name, data, size=None):
    return bytes([len(name)]) + name + struct.pack("<I", len(data) if size is None else size) + data


X16 = b"x" * 16
RECORDS = {
    "dotdot": record(b"..\\..\\dunvo_escape", X16),
    "backslash": record(b"\\dunvo_escape", X16),
    "drive": record(b"C:\\dunvo_escape", X16),
    "stream": record(b"sound\\002.mp3:dunvo_escape", X16),
    "name255": record(b"sound\\" + b"d" * 245 + b".mp3", X16),
    "empty_name": record(b"", X16),
    "control_name": record(b"sound\\002.mp3\r\nSetup is complete", X16),
    "size_past_end": record(b"sound\\002.mp3", X16, size=1000),
    "size_huge": record(b"sound\\002.mp3", X16, size=0x7FFFFFF0),  # told as damage before any memory is asked
    "size_top_bit": record(b"sound\\002.mp3", X16, size=0x80000010),
    "ends_in_name": bytes([40]) + b"sound\\00",
    "ends_in_size": bytes([13]) + b"sound\\002.mp3" + b"\x40\x00",
    "ends_in_data": record(b"sound\\002.mp3", X16, size=64),
    "large": record(b"sound\\002.mp3", bytes(48 << 20)),  # sound, small packed, more than a small disk holds
}


def crafted(kind, sample_path):
    if kind == "bad_crc":  # the CRC-32 of the trailer turned
        packed = bytearray(gzip.compress(record(b"sound\\002.mp3", b"ID3" + bytes(61)) * 2, mtime=0))
        packed[-8] ^= 0xFF
        return packed
    if kind == "not_gzip":  # read as it stands: the length byte 'R' asks for more name than there is
        return b"Recitations are sold separately.\r\n"
    if kind in RECORDS:
        return gzip.compress(RECORDS[kind], mtime=0)
    sample = bytearray(open(sample_path, "rb").read())
    if kind == "damaged":  # the bits of one byte in the middle turned
        sample[len(sample) // 2] ^= 0x5A
        return sample
    if kind == "short":
        return sample[: len(sample) // 2]
    archive, at = gzip.decompress(sample), 0  # "cut": a whole gzip member whose archive ends inside record 5
    for _ in range(4):
        at += 5 + archive[at] + struct.unpack_from("<I", archive, at + 1 + archive[at])[0]
    return gzip.compress(archive[: at + 18 + 1000], compresslevel=1)


open(sys.argv[2], "wb").write(crafted(sys.argv[1], sys.argv[3] if len(sys.argv) > 3 else None))

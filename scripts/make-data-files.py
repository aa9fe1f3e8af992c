#!/usr/bin/env python3
"""Writes the two binary data files of the program folder into data/.

Run by hand after changing what they hold, and commit the result:
    scripts/make-data-files.py

VelmHead.dat  1056 bytes, the header template of every saved room file:
              bytes 0..15 the signature "VELMORA ROOM" padded with zeros,
              bytes 16..17 the template version (1, little-endian),
              every other byte 0 (the three text areas included).
Velmpl.dat    1024 bytes, the room palette in BMP colour-table order
              (blue, green, red, 0 per entry), the standard palette that
              incoming part pictures are compared with.
"""
import pathlib

DATA = pathlib.Path(__file__).resolve().parent.parent / "data"


def header_template() -> bytes:
    head = bytearray(1056)
    signature = b"VELMORA ROOM"
    head[0:len(signature)] = signature
    head[16:18] = (1).to_bytes(2, "little")
    return bytes(head)


def room_palette() -> bytes:
    entries = [(0, 0, 0)] * 256  # (red, green, blue)
    for r in range(6):
        for g in range(6):
            for b in range(6):
                entries[36 * r + 6 * g + b] = (255 - 51 * r, 255 - 51 * g, 255 - 51 * b)
    ramp = [238, 221, 187, 170, 136, 119, 85, 68, 34, 17]
    for i, v in enumerate(ramp):
        entries[215 + i] = (v, 0, 0)
        entries[225 + i] = (0, v, 0)
        entries[235 + i] = (0, 0, v)
        entries[245 + i] = (v, v, v)
    entries[255] = (0, 0, 0)
    return b"".join(bytes((b, g, r, 0)) for r, g, b in entries)


def main() -> None:
    DATA.mkdir(exist_ok=True)
    (DATA / "VelmHead.dat").write_bytes(header_template())
    (DATA / "Velmpl.dat").write_bytes(room_palette())


if __name__ == "__main__":
    main()

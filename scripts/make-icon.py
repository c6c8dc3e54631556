#!/usr/bin/env python3
"""Writes resources/framewright.ico: the exes' icon, a window in a frame with a
sizing corner, at 16 x 16 and 32 x 32 in 16 colours (some 1 KB: the launcher's size
has a limit). Run it again only to change the picture; the .ico is kept in git."""
import struct
import sys

PALETTE = [(0, 0, 0), (0x8A, 0x3A, 0x1E), (0xFA, 0xA5, 0x60), (0xFF, 0xFF, 0xFF), (0x0B, 0x9E, 0xF5)]  # BGR
PALETTE += [(0, 0, 0)] * (16 - len(PALETTE))
TRANSPARENT, FRAME, TITLE, CLIENT, CORNER = None, 1, 2, 3, 4


def picture(size):
    """Rows top first, each a list of palette indexes or None for transparent."""
    margin = size // 32  # transparent around the frame
    edge = margin + max(1, size // 16)  # the frame's inner edge
    title = size * 3 // 16
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            inside = edge <= x < size - edge and edge <= y < size - edge
            if min(x, y) < margin or max(x, y) >= size - margin:
                row.append(TRANSPARENT)
            elif not inside:
                row.append(FRAME)
            elif y < edge + title:
                row.append(TITLE)
            elif x + y >= 2 * size - 2 * edge - size // 3 - 1:
                row.append(CORNER)
            else:
                row.append(CLIENT)
        rows.append(row)
    return rows


def image(size):
    rows = picture(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for b, g, r in PALETTE)
    xor = b""
    mask = b""
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for x in range(0, size, 2):
            hi, lo = (row[x] or 0), (row[x + 1] or 0)
            line.append(hi << 4 | lo)
        xor += bytes(line) + b"\0" * (-len(line) % 4)
        bits = bytearray((size + 7) // 8)
        for x, index in enumerate(row):
            if index is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits) + b"\0" * (-len(bits) % 4)
    return header + palette + xor + mask


def main(path):
    images = [image(16), image(32)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((16, 32), images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/framewright.ico")

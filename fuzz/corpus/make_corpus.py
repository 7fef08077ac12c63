#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
"""Writes the tiny seed files of the picture fuzz targets into the folders beside this script.

BMP, ICO (with BMP and PNG images inside), WMF, EMF and the sniffing seeds are assembled here
byte by byte; JPEG seeds come from libjpeg's own compressor through a small C program compiled on the
fly (needs cc and the libjpeg development files).
"""
import os
import struct
import subprocess
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def save(target, name, data):
    folder = os.path.join(HERE, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def bmp(width, height, bpp, bits, compression=0, palette=(), header=40, masks=(), colours_used=0):
    if header == 12:
        info = struct.pack("<IHHHH", 12, width, height, 1, bpp)
        pal = b"".join(struct.pack("<BBB", c & 255, (c >> 8) & 255, c >> 16) for c in palette)
    else:
        info = struct.pack("<IiiHHIIiiII", header, width, height, 1, bpp, compression, len(bits), 2835, 2835,
                           colours_used, 0)
        info += b"".join(struct.pack("<I", m) for m in masks)
        info = info.ljust(header, b"\0")
        pal = b"".join(struct.pack("<I", c) for c in palette)
    offset = 14 + len(info) + len(pal)
    return b"BM" + struct.pack("<IHHI", offset + len(bits), 0, 0, offset) + info + pal + bits


def rows(width, height, bpp, value):
    stride = (width * bpp + 31) // 32 * 4
    out = bytearray()
    for y in range(height):
        row = bytearray(stride)
        for x in range(width):
            v = value(x, y)
            if bpp < 8:
                bit = x * bpp
                row[bit // 8] |= v << (8 - bpp - bit % 8)
            else:
                row[x * bpp // 8:(x + 1) * bpp // 8] = v.to_bytes(bpp // 8, "little")
        out += row
    return bytes(out)


PALETTE = [0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF] * 2


def bmp_seeds():
    s = lambda name, data: save("fuzz_bmp", name, data)
    s("bpp1.bmp", bmp(5, 3, 1, rows(5, 3, 1, lambda x, y: (x + y) & 1), palette=PALETTE[:2]))
    s("bpp4.bmp", bmp(5, 3, 4, rows(5, 3, 4, lambda x, y: (x + y) % 16), palette=PALETTE))
    s("bpp8_short_palette.bmp", bmp(5, 3, 8, rows(5, 3, 8, lambda x, y: (x * y) % 8), palette=PALETTE[:8],
                                    colours_used=8))
    s("bpp16.bmp", bmp(3, 2, 16, rows(3, 2, 16, lambda x, y: x * 1000 + y * 77)))
    s("bpp16_565.bmp", bmp(3, 2, 16, rows(3, 2, 16, lambda x, y: x * 999 + y), 3, masks=(0xF800, 0x7E0, 0x1F)))
    s("bpp24_top_down.bmp", bmp(3, -2, 24, rows(3, 2, 24, lambda x, y: x * 0x102030 + y)))
    s("bpp32.bmp", bmp(2, 2, 32, rows(2, 2, 32, lambda x, y: 0x11223344 * (x + 1) + y)))
    s("bpp32_v5_bitfields.bmp", bmp(2, 2, 32, rows(2, 2, 32, lambda x, y: 0x01020304 * (x + 2 * y)), 3, header=124,
                                    masks=(0xFF000000, 0xFF0000, 0xFF00, 0xFF)))
    s("core_bpp8.bmp", bmp(3, 2, 8, rows(3, 2, 8, lambda x, y: x + y), palette=PALETTE[:4], header=12))
    s("rle8.bmp", bmp(6, 4, 8, bytes([3, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 2, 1, 4, 3, 0, 0,
                                      0, 4, 0, 1, 2, 3, 2, 2, 0, 1]), 1, palette=PALETTE[:4]))
    s("rle4.bmp", bmp(9, 2, 4, bytes([5, 0x12, 4, 0x30, 0, 0, 0, 5, 0x12, 0x30, 0x10, 0, 0, 2, 2, 0, 2, 0x33, 0, 1]),
                      2, palette=PALETTE[:4]))
    # Runs and literals that cover the row's padding past the width, as ImageMagick writes them.
    s("rle8_padding.bmp", bmp(5, 2, 8, bytes([3, 2, 0, 5, 1, 3, 0, 1, 2, 0, 0, 0, 8, 3, 0, 1]), 1,
                              palette=PALETTE[:4]))
    s("rle4_padding.bmp", bmp(9, 2, 4, bytes([16, 0x12, 0, 0, 2, 0x11, 0, 14, 0x23, 0x12, 0x30, 0x33, 0x33, 0x33,
                                              0x33, 0, 0, 1]), 2, palette=PALETTE[:4]))
    # The test suite's file written by ImageMagick itself.
    with open(os.path.join(HERE, "..", "..", "tests", "platform", "graphics", "data", "imagemagick_rle8.bmp"), "rb") as f:
        s("imagemagick_rle8.bmp", f.read())


def ico(images):
    """images: list of (width, height, bpp, data) with data a BMP-without-file-header or a PNG."""
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for width, height, bpp, data in images:
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, bpp, len(data), offset + len(blobs))
        blobs += data
    return head + entries + blobs


def ico_bmp(width, height, bpp, colour, palette=()):
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bpp, 0, 0, 0, 0, len(palette), 0)
    pal = b"".join(struct.pack("<I", c) for c in palette)
    mask = rows(width, height, 1, lambda x, y: 1 if x == 0 else 0)  # left column transparent
    return info + pal + rows(width, height, bpp, colour) + mask


def png(width, height):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    # Each row: filter type 0, then RGBA pixels; the left column is transparent.
    raw = b"".join(b"\0" + b"".join(bytes([x * 60, y * 60, 200, 255 if x else 0]) for x in range(width))
                   for y in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def ico_seeds():
    s = lambda name, data: save("fuzz_ico", name, data)
    s("bpp32.ico", ico([(4, 4, 32, ico_bmp(4, 4, 32, lambda x, y: 0xFF000000 | (x * 0x40 << 16) | y * 0x40))]))
    s("bpp1.ico", ico([(8, 2, 1, ico_bmp(8, 2, 1, lambda x, y: (x + y) & 1, [0, 0xFFFFFF]))]))
    s("two_images.ico", ico([(2, 2, 8, ico_bmp(2, 2, 8, lambda x, y: x, PALETTE[:2])),
                             (3, 3, 24, ico_bmp(3, 3, 24, lambda x, y: 0x123456 * x))]))
    s("png_inside.ico", ico([(3, 2, 32, png(3, 2))]))


JPEG_WRITER = r"""
#include <stdio.h>
#include <stdlib.h>
#include <jpeglib.h>
/* jpegseed OUT WIDTH HEIGHT SPACE(1 grey, 3 rgb, 4 cmyk) PROGRESSIVE RESTART */
int main(int argc, char** argv)
{
    struct jpeg_compress_struct c;
    struct jpeg_error_mgr e;
    FILE* out = fopen(argv[1], "wb");
    int w = atoi(argv[2]), h = atoi(argv[3]), n = atoi(argv[4]);
    c.err = jpeg_std_error(&e);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, out);
    c.image_width = w;
    c.image_height = h;
    c.input_components = n;
    c.in_color_space = n == 1 ? JCS_GRAYSCALE : n == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 50, TRUE);
    if (atoi(argv[5]))
        jpeg_simple_progression(&c);
    c.restart_interval = atoi(argv[6]);
    jpeg_start_compress(&c, TRUE);
    JSAMPLE row[64 * 4];
    while (c.next_scanline < c.image_height) {
        for (int i = 0; i < w * n; ++i)
            row[i] = (JSAMPLE)(i * 37 + c.next_scanline * 11);
        JSAMPROW r = row;
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    return fclose(out);
}
"""


def jpeg_seeds():
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, "jpegseed.c")
        program = os.path.join(tmp, "jpegseed")
        with open(source, "w") as f:
            f.write(JPEG_WRITER)
        subprocess.run(["cc", "-O1", source, "-o", program, "-ljpeg"], check=True)
        for name, args in [("rgb_baseline.jpg", "8 8 3 0 0"), ("grey.jpg", "8 4 1 0 0"),
                           ("rgb_progressive.jpg", "16 16 3 1 0"), ("cmyk_adobe.jpg", "8 8 4 0 0"),
                           ("rgb_restart.jpg", "24 16 3 0 1")]:
            path = os.path.join(tmp, name)
            subprocess.run([program, path] + args.split(), check=True)
            with open(path, "rb") as f:
                data = f.read()
            save("fuzz_jpeg", name, data)
            if name == "rgb_baseline.jpg":
                save("fuzz_sniff", "jfif.jpg", data)


def wmf(records, placeable=None):
    """records: list of (function, params bytes); placeable: (left, top, right, bottom, inch)."""
    body = b"".join(struct.pack("<IH", 3 + len(p) // 2, f) + p for f, p in records) + struct.pack("<IH", 3, 0)
    out = b""
    if placeable:
        head = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, *placeable, 0)
        checksum = 0
        for i in range(0, 20, 2):
            checksum ^= struct.unpack_from("<H", head, i)[0]
        out = head + struct.pack("<H", checksum)
    return out + struct.pack("<HHHIHIH", 1, 9, 0x300, 9 + len(body) // 2, 4, 0, 0) + body


def words(*values):
    return b"".join(struct.pack("<H", v & 0xFFFF) for v in values)


def dib24(width, height, colour):
    stride = (width * 3 + 3) // 4 * 4
    pixels = b"".join(b"".join(colour(x, y).to_bytes(3, "little") for x in range(width)).ljust(stride, b"\0")
                      for y in reversed(range(height)))
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 0, 0, 0, 0) + pixels


def emf(width, height, records):
    """records: list of (type, params bytes); 96 pixels an inch on the reference device."""
    body = b"".join(struct.pack("<II", t, 8 + len(p)) + p for t, p in records) + struct.pack("<IIIII", 14, 20, 0, 0, 20)
    header = struct.pack("<II4i4iIIIIHHIIIiiii", 1, 88, 0, 0, width - 1, height - 1, 0, 0, width * 2540 // 96,
                         height * 2540 // 96, 0x464D4520, 0x10000, 88 + len(body), len(records) + 2, 4, 0, 0, 0, 0,
                         960, 960, 254, 254)
    return header + body


def metafile_seeds():
    s = lambda name, data: save("fuzz_metafile", name, data)
    font = words(-12, 0, 0, 0, 700) + bytes(8) + b"DejaVu Sans".ljust(32, b"\0")
    shapes = [(0x02FA, words(0, 2, 0, 0x00FF, 0)), (0x02FC, words(2, 0x3300, 0x0080, 4)), (0x012D, words(0)),
              (0x012D, words(1)), (0x041B, words(30, 40, 2, 2)), (0x0418, words(28, 38, 10, 20)),
              (0x0324, words(3, 0, 0, 20, 5, 5, 20)), (0x0325, words(3, 0, 30, 20, 0, 40, 30)),
              (0x0538, words(2, 3, 3, 0, 0, 9, 0, 0, 9, 20, 20, 29, 20, 20, 29)),
              (0x02FB, font), (0x012D, words(2)), (0x0209, words(0x00FF, 0)), (0x012E, words(24)),
              (0x0521, words(2) + b"Hi" + words(20, 4)), (0x0A32, words(10, 2, 3, 2, 0, 0, 40, 20) + b"abc\0"),
              (0x041F, words(0xFF, 0, 5, 5)), (0x061C, words(4, 4, 30, 30, 20, 20)), (0x0999, words(1))]
    dib = dib24(2, 2, lambda x, y: 0xFF0000 if x == y else 0x00FF00)
    stretch = (0x0F43, struct.pack("<I", 0x00CC0020) + words(0, 2, 2, 0, 0, 10, 10, 30, 0) + dib)
    s("placeable.wmf", wmf(shapes + [stretch], (0, 0, 40, 40, 96)))
    s("plain_window.wmf", wmf([(0x020B, words(10, 10)), (0x020C, words(-20, 30))] + shapes[:8]))
    s("plain_no_window.wmf", wmf(shapes[:5]))
    s("objects.wmf", wmf([(0x00F7, words(0x300, 1, 0, 0)), (0x02FC, words(0, 0xFF, 0, 0)), (0x01F0, words(1)),
                          (0x02FC, words(0, 0xFF00, 0, 0)), (0x012D, words(1)), (0x041B, words(8, 8, 0, 0))],
                         (0, 0, 8, 8, 96)))
    poly16 = struct.pack("<4iI", 0, 0, 0, 0, 3) + words(0, 0, 20, 5, 5, 20)
    text = ("Hi".encode("utf-16-le"))
    exttext = struct.pack("<4iIff2iIII4iI", 0, 0, 0, 0, 1, 1, 1, 5, 25, 2, 76, 0, 0, 0, 0, 0, 0) + text + bytes(2)
    stretchdib = struct.pack("<4i6i4IIIii", 0, 0, 9, 9, 20, 20, 0, 0, 2, 2, 80, 40, 120, len(dib) - 40, 0,
                             0x00CC0020, 10, 10) + dib
    emf_records = [(38, struct.pack("<IIiiI", 1, 0, 2, 0, 0x0000FF)), (39, struct.pack("<IIII", 2, 0, 0x00FF00, 0)),
                   (37, struct.pack("<I", 1)), (37, struct.pack("<I", 2)), (43, struct.pack("<4i", 2, 2, 30, 30)),
                   (42, struct.pack("<4i", 5, 5, 25, 25)), (86, poly16), (87, poly16), (88, poly16),
                   (91, struct.pack("<4iIII", 0, 0, 0, 0, 1, 3, 3) + words(0, 0, 20, 5, 5, 20)),
                   (27, struct.pack("<ii", 1, 1)), (54, struct.pack("<ii", 30, 2)),
                   (82, struct.pack("<I5i8B", 3, -10, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0)
                    + "DejaVu Sans".encode("utf-16-le").ljust(64, b"\0")),
                   (37, struct.pack("<I", 3)), (84, exttext), (81, stretchdib), (33, b""), (9, struct.pack("<ii", 2, 2)),
                   (17, struct.pack("<I", 8)), (34, struct.pack("<i", -1)), (59, b""), (43, struct.pack("<4i", 1, 1, 5, 5)),
                   (60, b""), (63, b""), (35, struct.pack("<6f", 1, 0.2, 0, 1, 0, 0)), (250, b"\0\0\0\0")]
    s("shapes.emf", emf(40, 40, emf_records))


def sniff_seeds():
    s = lambda name, data: save("fuzz_sniff", name, data)
    s("letter_b", b"B")
    s("bitmap.bmp", bmp(2, 1, 24, rows(2, 1, 24, lambda x, y: 0xABCDEF * x)))
    s("exif_start", b"\xff\xd8\xff\xe1\x00\x10Exif\x00\x00")
    s("emf_start", bytes(41) + b"EMF" + bytes(4))
    s("placeable_metafile", b"\xd7\xcd\xc6\x9a" + bytes(18))
    s("small.png", png(3, 2))
    # A 4 x 3 screen with a global palette and a 1 x 1 red frame at (2, 1).
    s("frame.gif", b"GIF89a" + struct.pack("<HHBBB", 4, 3, 0x80, 0, 0) + b"\xff\0\0\0\0\0"
      + b"\x2c" + struct.pack("<HHHHB", 2, 1, 1, 1, 0) + b"\x02\x02\x44\x01\x00\x3b")


if __name__ == "__main__":
    bmp_seeds()
    ico_seeds()
    jpeg_seeds()
    metafile_seeds()
    sniff_seeds()

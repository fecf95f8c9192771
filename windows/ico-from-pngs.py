"""Packs PNG images into one Windows icon file: ico-from-pngs.py OUT.ico SIZE.png ...

An icon directory may hold PNG images whole (Windows Vista and later read them), so the
program's icon is drawn from the same SVG as the Linux one.
"""
import struct
import sys

out, pngs = sys.argv[1], sys.argv[2:]
images = [open(path, "rb").read() for path in pngs]
offset = 6 + 16 * len(images)
directory = struct.pack("<HHH", 0, 1, len(images))
for image in images:
    width, height = struct.unpack(">II", image[16:24])  # from the PNG's IHDR chunk
    # A size of 256 is written as 0.
    directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(image), offset)
    offset += len(image)
with open(out, "wb") as ico:
    ico.write(directory + b"".join(images))

#!/usr/bin/env python3
"""Packs the program icon's PNG renderings into the icon files of the other desktops.

    make_icon_files.py PNGDIR [--icns FILE.icns] [--ico FILE.ico]

PNGDIR holds NxN/apps/zentavo.png per size, as zentavo-render-icons writes them. The macOS
.icns takes 16 to 1024 pixels (each size also serves as the double-density image of half its
size), the Windows .ico 16 to 256; both keep the images as PNG, which every supported system
version reads. A size that was not rendered is left out; no size at all is an error.
"""

import argparse
import struct
import sys
from pathlib import Path

# The .icns element types that hold PNG data, by pixel size: the normal-density element first,
# then the one that uses it as double density for half the size.
ICNS_TYPES = {
    16: [b"icp4"],
    32: [b"icp5", b"ic11"],
    64: [b"icp6", b"ic12"],
    128: [b"ic07"],
    256: [b"ic08", b"ic13"],
    512: [b"ic09", b"ic14"],
    1024: [b"ic10"],
}
ICO_SIZES = [16, 24, 32, 48, 64, 128, 256]
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def png_size(data):
    """The width and height of a PNG image, from its header chunk."""
    if data[:8] != PNG_SIGNATURE or data[12:16] != b"IHDR":
        raise ValueError("not a PNG image")
    return struct.unpack(">II", data[16:24])


def rendered(pngdir, sizes):
    """The PNG data of each size found in pngdir, checked to be as large as its folder says."""
    images = {}
    for size in sizes:
        path = Path(pngdir) / f"{size}x{size}" / "apps" / "zentavo.png"
        if not path.is_file():
            continue
        data = path.read_bytes()
        if png_size(data) != (size, size):
            raise ValueError(f"{path} is not {size}x{size} pixels")
        images[size] = data
    if not images:
        raise ValueError(f"no icon rendering in {pngdir}")
    return images


def icns(images):
    """An .icns file: 'icns' and the file length, then elements of type, length and data."""
    elements = b""
    for size, data in sorted(images.items()):
        for kind in ICNS_TYPES[size]:
            elements += kind + struct.pack(">I", 8 + len(data)) + data
    return b"icns" + struct.pack(">I", 8 + len(elements)) + elements


def ico(images):
    """An .ico file: the directory (one 16-byte entry per image, 0 meaning 256), then the PNGs."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, payload = b"", b""
    for size, data in sorted(images.items()):
        edge = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", edge, edge, 0, 0, 1, 32, len(data), offset + len(payload))
        payload += data
    return header + entries + payload


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("pngdir")
    parser.add_argument("--icns", type=Path)
    parser.add_argument("--ico", type=Path)
    args = parser.parse_args(argv)
    if not args.icns and not args.ico:
        parser.error("nothing to write: give --icns, --ico or both")
    try:
        if args.icns:
            args.icns.write_bytes(icns(rendered(args.pngdir, ICNS_TYPES)))
        if args.ico:
            args.ico.write_bytes(ico(rendered(args.pngdir, ICO_SIZES)))
    except (OSError, ValueError) as error:
        print(f"make_icon_files.py: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

#!/usr/bin/env python3
"""Writes the binary resources of OPTION.dll into OUTDIR.

    python3 gen_assets.py OUTDIR

Every file is a pure function of this script: pictures are drawn below as
rows of characters (one character per pixel, the legend of each picture maps
characters to colours), the sound is computed from a few numbers. No
randomness, no timestamps, so two runs give identical bytes.

Outputs (referenced by bare file name from option.rc):
    product.ico    icon 1001: 32x32 and 16x16, each at 4 and 8 bits per pixel
    separator.bmp  bitmap 2001: 232 x 1, 4 bpp, the rule under a section header
    play.bmp       bitmap 2002: 13 x 13, 1 bpp, play glyph
    stop.bmp       bitmap 2003: 13 x 13, 1 bpp, stop glyph
    button.bmp     bitmap 2004: 16 x 16, 4 bpp, a hardware button without an icon
    play2x.bmp     bitmap 2005: 26 x 26, 1 bpp, the play glyph drawn for 192 dpi
    stop2x.bmp     bitmap 2006: 26 x 26, 1 bpp, the stop glyph drawn for 192 dpi
    button2x.bmp   bitmap 2007: 32 x 32, 4 bpp, the button drawn for 192 dpi
    event.wav      WAVE 2101: PCM, mono, 22050 Hz, 16 bit, 22344 bytes of samples
"""

import math
import os
import struct
import sys

# ---------------------------------------------------------------------------
# Palettes

# The 16 colours every 4 bpp picture uses, in the usual VGA order.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GRAY, SILVER, RED, NAVY, WHITE = 0, 8, 7, 9, 4, 15

# ---------------------------------------------------------------------------
# Pictures

# Play glyph: a solid triangle pointing right. Its vertical edge is column 5,
# rows 2 to 10; its tip is column 9, row 6. '#' black, '.' white.
PLAY = [
    ".............",
    ".............",
    ".....#.......",
    ".....##......",
    ".....###.....",
    ".....####....",
    ".....#####...",
    ".....####....",
    ".....###.....",
    ".....##......",
    ".....#.......",
    ".............",
    ".............",
]

# Stop glyph: a solid 7 x 7 square, columns 3 to 9, rows 3 to 9.
STOP = [
    ".............",
    ".............",
    ".............",
    "...#######...",
    "...#######...",
    "...#######...",
    "...#######...",
    "...#######...",
    "...#######...",
    "...#######...",
    ".............",
    ".............",
    ".............",
]

# A round hardware button lit from the top left, on white (the list view's
# background, so the picture looks the same whether or not white is masked).
BUTTON_LEGEND = {".": WHITE, "K": BLACK, "w": WHITE, "g": SILVER, "G": GRAY}
BUTTON = [
    "................",
    ".....KKKKKK.....",
    "...KKwwwwwwKK...",
    "..KKwwggggggKK..",
    "..KwwggggggggK..",
    ".KwwgggggggggGK.",
    ".KwggggggggggGK.",
    ".KwggggGGggggGK.",
    ".KwggggGGggggGK.",
    ".KwggggggggggGK.",
    ".KwgggggggggGGK.",
    "..KggggggggGGK..",
    "..KKggggggGGKK..",
    "...KKGGGGGGKK...",
    ".....KKKKKK.....",
    "................",
]

# The product icon: a browser window whose active tab (in the product's accent
# colour) opens onto a page of option sliders. '.' is transparent. Each colour
# is given for the 8 bpp images and as the nearest VGA colour for the 4 bpp ones.
ICON_LEGEND = {
    #      8 bpp colour      4 bpp colour
    "K": ((0, 0, 0),       BLACK),
    "R": ((255, 71, 71),   RED),      # accent, as the product name's second half
    "g": ((208, 208, 208), SILVER),   # inactive tab
    "G": ((128, 128, 128), GRAY),     # slider track
    "B": ((0, 64, 160),    NAVY),     # slider knob
    "W": ((255, 255, 255), WHITE),
}
ICON_32 = [
    "................................",
    "................................",
    "...KKKKKKKKKKK..................",
    "..KRRRRRRRRRRRK.................",
    "..KRRRRRRRRRRRK.KKKKKKKKKK......",
    "..KRRRRRRRRRRRKKggggggggggK.....",
    "..KRRRRRRRRRRRKKggggggggggK.....",
    "..KRRRRRRRRRRRKKggggggggggK.....",
    "..KRRRRRRRRRRRKKggggggggggK.....",
    ".KKRRRRRRRRRRRKKKKKKKKKKKKKKKKK.",
    ".KRRRRRRRRRRRRRRRRRRRRRRRRRRRRK.",
    ".KRRRRRRRRRRRRRRRRRRRRRRRRRRRRK.",
    ".KKKKKKKKKKKKKKKKKKKKKKKKKKKKKK.",
    ".KWWWWWWWWWWWWWWWWWWWWWWWWWWWWK.",
    ".KWWWWWWWWWWWWWWWWWWWWWWWWWWWWK.",
    ".KWWWWWWBBBWWWWWWWWWWWWWWWWWWWK.",
    ".KWWGGGGBBBGGGGGGGGGGGGGGGGGWWK.",
    ".KWWWWWWBBBWWWWWWWWWWWWWWWWWWWK.",
    ".KWWWWWWWWWWWWWWWWWWWWWWWWWWWWK.",
    ".KWWWWWWWWWWWWWWWWWWWWWWWWWWWWK.",
    ".KWWWWWWWWWWWWWWWWWBBBWWWWWWWWK.",
    ".KWWGGGGGGGGGGGGGGGBBBGGGGGGWWK.",
    ".KWWWWWWWWWWWWWWWWWBBBWWWWWWWWK.",
    ".KWWWWWWWWWWWWWWWWWWWWWWWWWWWWK.",
    ".KWWWWWWWWWWWWWWWWWWWWWWWWWWWWK.",
    ".KWWWWWWWWWWBBBWWWWWWWWWWWWWWWK.",
    ".KWWGGGGGGGGBBBGGGGGGGGGGGGGWWK.",
    ".KWWWWWWWWWWBBBWWWWWWWWWWWWWWWK.",
    ".KWWWWWWWWWWWWWWWWWWWWWWWWWWWWK.",
    ".KKKKKKKKKKKKKKKKKKKKKKKKKKKKKK.",
    "................................",
    "................................",
]
ICON_16 = [
    "................",
    "..KKKKK.........",
    ".KRRRRRK.KKKKK..",
    ".KRRRRRKKgggggK.",
    "KKRRRRRKKKKKKKKK",
    "KRRRRRRRRRRRRRRK",
    "KKKKKKKKKKKKKKKK",
    "KWWWBBWWWWWWWWWK",
    "KWGGBBGGGGGGGGWK",
    "KWWWBBWWWWWWWWWK",
    "KWWWWWWWWWWBBWWK",
    "KWGGGGGGGGGBBGWK",
    "KWWWWWWWWWWBBWWK",
    "KWWWWWWWWWWWWWWK",
    "KKKKKKKKKKKKKKKK",
    "................",
]

SEPARATOR_WIDTH = 232

# The pictures for screens of twice the resolution (192 dpi), drawn at that resolution rather
# than enlarged, so the slopes and curves keep single-pixel steps. Described by shape; the
# functions give the rows of characters, as for the pictures above.


def play_2x():
    """The play triangle on 26 x 26: vertical edge column 10, rows 4 to 21, tip column 18."""
    return ["".join("#" if 10 <= c and c - 10 <= min(r - 4, 21 - r) else "." for c in range(26))
            for r in range(26)]


def stop_2x():
    """The stop square on 26 x 26: 14 x 14, columns and rows 6 to 19."""
    return ["".join("#" if 6 <= c <= 19 and 6 <= r <= 19 else "." for c in range(26))
            for r in range(26)]


def button_2x():
    """The round button on 32 x 32 in BUTTON_LEGEND's characters: a two-pixel black rim, a
    white highlight ring towards the top left, a grey shade towards the bottom right, and a
    grey 4 x 4 dimple in the middle."""
    rows = []
    for y in range(32):
        row = ""
        for x in range(32):
            dx, dy = x - 15.5, y - 15.5
            d = math.hypot(dx, dy)
            if d > 14.5:
                row += "."
            elif d > 12.5:
                row += "K"
            elif d > 10.5 and dx + dy < 0:
                row += "w"
            elif d > 9.5 and dx + dy > 8:
                row += "G"
            elif abs(dx) < 2 and abs(dy) < 2:
                row += "G"
            else:
                row += "g"
        rows.append(row)
    return rows


# ---------------------------------------------------------------------------
# Sound: a two-note chime, the second note a fifth above the first, each a
# decaying sine with a quieter octave partial that dies away twice as fast. Exactly 11172 samples (22344
# bytes), about half a second.

SAMPLE_RATE = 22050
SAMPLE_COUNT = 22344 // 2
CHIME_NOTES = [
    # start (s), frequency (Hz), amplitude (of full scale), decay time constant (s)
    (0.000, 1046.50, 0.42, 0.110),   # C6
    (0.085, 1567.98, 0.38, 0.140),   # G6
]
OCTAVE_PARTIAL = 0.18     # relative amplitude of the partial at twice the frequency
ATTACK = 0.004            # seconds of linear rise, so a note starts without a click
FADE_OUT = 0.030          # seconds of linear fall to silence at the very end


def chime_samples():
    samples = []
    for n in range(SAMPLE_COUNT):
        t = n / SAMPLE_RATE
        v = 0.0
        for start, freq, amp, decay in CHIME_NOTES:
            u = t - start
            if u < 0:
                continue
            env = amp * math.exp(-u / decay) * min(1.0, u / ATTACK)
            v += env * (math.sin(2 * math.pi * freq * u)
                        + OCTAVE_PARTIAL * math.exp(-u / decay) * math.sin(4 * math.pi * freq * u))
        remaining = (SAMPLE_COUNT - 1 - n) / SAMPLE_RATE
        v *= min(1.0, remaining / FADE_OUT)
        samples.append(max(-32767, min(32767, int(round(v * 32767)))))
    return samples


# ---------------------------------------------------------------------------
# Encoders


def pack_rows(indices, bpp):
    """Packs rows of palette indices bottom-up, each row padded to 4 bytes."""
    out = bytearray()
    for row in reversed(indices):
        bits = 0
        nbits = 0
        line = bytearray()
        for i in row:
            bits = (bits << bpp) | i
            nbits += bpp
            if nbits == 8:
                line.append(bits)
                bits = nbits = 0
        if nbits:
            line.append(bits << (8 - nbits))
        line.extend(b"\0" * (-len(line) % 4))
        out += line
    return bytes(out)


def info_header(width, height, bpp, image_size, colours):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, image_size, 0, 0, colours, 0)


def palette_bytes(colours, count):
    colours = list(colours) + [(0, 0, 0)] * (count - len(colours))
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)


def indexed(picture, legend):
    width = len(picture[0])
    for row in picture:
        assert len(row) == width, row
        assert set(row) <= set(legend), row
    return [[legend[c] for c in row] for row in picture]


def bmp_file(indices, bpp, colours):
    height, width = len(indices), len(indices[0])
    pixels = pack_rows(indices, bpp)
    info = info_header(width, height, bpp, len(pixels), 0) + palette_bytes(colours, 1 << bpp)
    offset = 14 + len(info)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + info + pixels


def icon_image(picture, bpp):
    """One icon image: header with doubled height, palette, colour bits, AND mask."""
    legend = ICON_LEGEND
    if bpp == 4:
        colours = VGA
        lookup = {c: vga for c, (_, vga) in legend.items()}
    else:
        # The VGA colours first, then the exact colours of the picture.
        colours = list(VGA)
        for c in sorted(legend):
            rgb = legend[c][0]
            if rgb not in colours:
                colours.append(rgb)
        lookup = {c: colours.index(rgb) for c, (rgb, _) in legend.items()}
    lookup["."] = 0  # transparent pixels are black under a set mask bit
    xor = pack_rows(indexed(picture, lookup), bpp)
    mask = pack_rows([[1 if c == "." else 0 for c in row] for row in picture], 1)
    size = len(picture)
    return (info_header(size, 2 * size, bpp, len(xor) + len(mask), 0)
            + palette_bytes(colours, 1 << bpp) + xor + mask)


def ico_file(images):
    """images: list of (size, bpp, image bytes)."""
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = len(head) + 16 * len(images)
    entries = b""
    for size, bpp, data in images:
        entries += struct.pack("<BBBBHHII", size, size, 16 if bpp == 4 else 0, 0, 1, bpp,
                               len(data), offset)
        offset += len(data)
    return head + entries + b"".join(data for _, _, data in images)


def wav_file(samples):
    data = struct.pack("<%dh" % len(samples), *samples)
    fmt = struct.pack("<HHIIHH", 1, 1, SAMPLE_RATE, SAMPLE_RATE * 2, 2, 16)
    return (b"RIFF" + struct.pack("<I", 4 + 8 + len(fmt) + 8 + len(data)) + b"WAVE"
            + b"fmt " + struct.pack("<I", len(fmt)) + fmt
            + b"data" + struct.pack("<I", len(data)) + data)


# ---------------------------------------------------------------------------


def assets():
    glyph = {".": 1, "#": 0}  # 1 bpp: index 0 black, index 1 white
    mono = [(0, 0, 0), (255, 255, 255)]
    return {
        "product.ico": ico_file([
            (32, 4, icon_image(ICON_32, 4)),
            (32, 8, icon_image(ICON_32, 8)),
            (16, 4, icon_image(ICON_16, 4)),
            (16, 8, icon_image(ICON_16, 8)),
        ]),
        "separator.bmp": bmp_file([[GRAY] * SEPARATOR_WIDTH], 4, VGA),
        "play.bmp": bmp_file(indexed(PLAY, glyph), 1, mono),
        "stop.bmp": bmp_file(indexed(STOP, glyph), 1, mono),
        "button.bmp": bmp_file(indexed(BUTTON, BUTTON_LEGEND), 4, VGA),
        "play2x.bmp": bmp_file(indexed(play_2x(), glyph), 1, mono),
        "stop2x.bmp": bmp_file(indexed(stop_2x(), glyph), 1, mono),
        "button2x.bmp": bmp_file(indexed(button_2x(), BUTTON_LEGEND), 4, VGA),
        "event.wav": wav_file(chime_samples()),
    }


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: gen_assets.py OUTDIR\n")
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    for name, data in assets().items():
        with open(os.path.join(outdir, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/python3
"""Draws the chat list's built-in pictures into chatlist/images/, the bot's avatar into
app/window/images/ and the programs' icon into release/zorli.ico.

Run with Debian's interpreter (it has Pillow): /usr/bin/python3 tools/images/make_chatlist_images.py
The output is committed; the build embeds the files as they are.
"""
import io
import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFilter

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
OUT = os.path.join(ROOT, "chatlist", "images")
APP_OUT = os.path.join(ROOT, "app", "window", "images")
ICON = os.path.join(ROOT, "release", "zorli.ico")
ICON_SIZES = (16, 32, 48, 256)  # what Explorer, the taskbar and shortcuts ask for

BUBBLE_W, BUBBLE_H = 80, 40
BODY_LEFT, BODY_RIGHT = 10, 69  # inclusive columns
POINTER_TOP, POINTER_BOTTOM = 13, 26


def pointer_rows(distance_from_tip):
    """Rows covered by a pointer column, 0 being the tip column and 7 the base."""
    spread = round(6 * distance_from_tip / 7)
    return 19 - spread, 20 + spread


def bubble(fill, outline=None):
    img = Image.new("RGBA", (BUBBLE_W, BUBBLE_H), (0, 0, 0, 0))
    draw = ImageDraw.Draw(img)
    draw.rounded_rectangle((BODY_LEFT, 0, BODY_RIGHT, BUBBLE_H - 1), radius=3,
                           fill=fill, outline=outline or fill, width=1)
    px = img.load()
    # Left pointer: tip in column 0, base in column 7; right pointer mirrors it in 72..79.
    for d in range(8):
        top, bottom = pointer_rows(d)
        for x in (d, BUBBLE_W - 1 - d):
            for y in range(top, bottom + 1):
                edge = y in (top, bottom) or d == 0
                px[x, y] = outline if (outline and edge) else fill
    assert pointer_rows(7) == (POINTER_TOP, POINTER_BOTTOM)
    return img


def default_avatar():
    scale = 4
    size = 40 * scale
    grey = (170, 170, 170)
    img = Image.new("RGB", (size, size), grey)
    draw = ImageDraw.Draw(img)
    line = int(2.2 * scale)
    white = (255, 255, 255)
    # Head.
    cx, cy, r = 20 * scale, 15 * scale, 7 * scale
    draw.ellipse((cx - r, cy - r, cx + r, cy + r), outline=white, width=line)
    # Shoulders: the upper half of a wide ellipse, cut by the picture's bottom edge.
    sw, top = 14 * scale, 25 * scale
    draw.arc((cx - sw, top, cx + sw, top + 2 * sw), start=180, end=360, fill=white, width=line)
    draw.line((cx - sw + line // 2, top + sw, cx - sw + line // 2, size), fill=white, width=line)
    draw.line((cx + sw - line // 2, top + sw, cx + sw - line // 2, size), fill=white, width=line)
    return img.resize((40, 40), Image.LANCZOS)


def card_picture():
    scale = 4
    size = 40 * scale
    img = Image.new("L", (size, size), 255)
    draw = ImageDraw.Draw(img)
    grey = 120
    w = int(2.5 * scale)
    # Two interlocked links, laid out horizontally, then turned to the diagonal.
    h = 9 * scale
    cy = size // 2
    draw.rounded_rectangle((8 * scale, cy - h // 2, 23 * scale, cy + h // 2), radius=h // 2, outline=grey, width=w)
    draw.rounded_rectangle((17 * scale, cy - h // 2, 32 * scale, cy + h // 2), radius=h // 2, outline=grey, width=w)
    img = img.rotate(45, resample=Image.BICUBIC, fillcolor=255)
    return img.resize((40, 40), Image.LANCZOS).convert("RGB")


def bot_avatar():
    size = 350
    scale = 2
    big = size * scale
    img = Image.new("RGB", (big, big))
    draw = ImageDraw.Draw(img)
    # Soft sky gradient.
    for y in range(big):
        t = y / big
        draw.line((0, y, big, y), fill=(int(120 + 80 * t), int(190 + 40 * t), int(245 - 10 * t)))
    s = scale
    # Antenna.
    draw.line((175 * s, 70 * s, 175 * s, 40 * s), fill=(90, 90, 110), width=6 * s)
    draw.ellipse((162 * s, 22 * s, 188 * s, 48 * s), fill=(255, 120, 90))
    # Ears.
    for x in (52, 298):
        draw.rounded_rectangle(((x - 18) * s, 150 * s, (x + 18) * s, 220 * s), radius=12 * s, fill=(90, 110, 150))
    # Head.
    draw.rounded_rectangle((60 * s, 70 * s, 290 * s, 290 * s), radius=70 * s, fill=(250, 250, 252),
                           outline=(90, 110, 150), width=6 * s)
    # Face plate.
    draw.rounded_rectangle((90 * s, 115 * s, 260 * s, 250 * s), radius=50 * s, fill=(45, 60, 90))
    # Eyes: happy arcs.
    for x in (135, 215):
        draw.arc(((x - 22) * s, 140 * s, (x + 22) * s, 184 * s), start=200, end=340,
                 fill=(120, 230, 255), width=8 * s)
    # Smile.
    draw.arc((130 * s, 160 * s, 220 * s, 230 * s), start=20, end=160, fill=(120, 230, 255), width=8 * s)
    # Cheeks.
    for x in (110, 240):
        draw.ellipse(((x - 12) * s, 200 * s, (x + 12) * s, 216 * s), fill=(255, 140, 160))
    # Body hint at the bottom.
    draw.rounded_rectangle((110 * s, 300 * s, 240 * s, 380 * s), radius=30 * s, fill=(90, 110, 150))
    img = img.filter(ImageFilter.SMOOTH)
    return img.resize((size, size), Image.LANCZOS)


def icon_picture(size):
    """The bot's head in a speech bubble; small sizes drop the details they cannot show."""
    scale = 1024 // size if size < 256 else 4
    big = size * scale
    u = big / 64  # drawing unit: the picture is laid out on a 64 by 64 grid
    img = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    draw = ImageDraw.Draw(img)
    small = size <= 32
    blue, dark, glow = (58, 132, 214, 255), (45, 60, 90, 255), (120, 230, 255, 255)
    # Bubble with its tail at the lower left.
    draw.rounded_rectangle((1 * u, 1 * u, 63 * u, 53 * u), radius=14 * u, fill=blue)
    draw.polygon([(10 * u, 46 * u), (26 * u, 50 * u), (6 * u, 63 * u)], fill=blue)
    # Head.
    border = (3 if small else 2) * u
    draw.rounded_rectangle((11 * u, 12 * u, 53 * u, 46 * u), radius=11 * u,
                           fill=(250, 250, 252, 255), outline=(30, 70, 130, 255), width=int(border))
    if not small:
        draw.line((32 * u, 12 * u, 32 * u, 6 * u), fill=(30, 70, 130, 255), width=int(2 * u))
        draw.ellipse((29 * u, 3 * u, 35 * u, 9 * u), fill=(255, 120, 90, 255))
    # Face plate with two eyes; the smile only where there is room for it.
    draw.rounded_rectangle((16 * u, 18 * u, 48 * u, 41 * u), radius=8 * u, fill=dark)
    eye = (4 if small else 3) * u
    for x in (25, 39):
        draw.ellipse((x * u - eye, 24 * u, x * u + eye, 24 * u + 2 * eye), fill=glow)
    if not small:
        draw.arc((25 * u, 26 * u, 39 * u, 38 * u), start=20, end=160, fill=glow, width=int(2 * u))
    return img.resize((size, size), Image.LANCZOS)


def bmp_icon_image(img):
    """One icon image in the classic form: 32-bit BGRA rows bottom-up, then the AND mask."""
    w, h = img.size
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
    px = img.load()
    colour = b"".join(bytes((px[x, y][2], px[x, y][1], px[x, y][0], px[x, y][3]))
                      for y in reversed(range(h)) for x in range(w))
    mask_row = ((w + 31) // 32) * 4  # rows of the 1-bit mask are padded to 32 bits
    mask = bytearray()
    for y in reversed(range(h)):
        row = bytearray(mask_row)
        for x in range(w):
            if px[x, y][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + colour + bytes(mask)


def write_icon(path, sizes):
    """An .ico file: bitmaps for the small sizes, PNG for 256 (the form Windows expects there)."""
    images = []
    for size in sizes:
        img = icon_picture(size)
        if size >= 256:
            data = io.BytesIO()
            img.save(data, "PNG", optimize=True)
            images.append((size, data.getvalue()))
        else:
            images.append((size, bmp_icon_image(img)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = len(out) + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(out + b"".join(data for _, data in images))


def main():
    os.makedirs(OUT, exist_ok=True)
    os.makedirs(APP_OUT, exist_ok=True)
    write_icon(ICON, ICON_SIZES)
    outline_grey = (0x7F, 0x7E, 0x7E, 255)
    light = (0xF3, 0xF3, 0xF3, 255)
    green = (0xB6, 0xDA, 0x53, 255)
    bubble((0xC1, 0xC1, 0xC1, 255)).save(os.path.join(OUT, "tip_bubble.png"), optimize=True)
    bubble(light, outline_grey).save(os.path.join(OUT, "bubble_style0.png"), optimize=True)
    bubble(green).save(os.path.join(OUT, "bubble_style1.png"), optimize=True)
    bubble(light, green).save(os.path.join(OUT, "bubble_style2.png"), optimize=True)
    default_avatar().save(os.path.join(OUT, "default_avatar.bmp"))
    card_picture().save(os.path.join(OUT, "default_card.jpg"), quality=90, progressive=False)
    bot_avatar().save(os.path.join(APP_OUT, "bot_avatar.jpg"), quality=88, progressive=False)
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""Draws the web album's fifteen GIF89a decorations under resources/album/:

  * first.gif, previous.gif, home.gif, next.gif, last.gif: the 40 x 40 navigation buttons of every
    image page. One set serves all album styles, so they are a neutral slate tile with a white
    glyph; they are opaque (GIF transparency is one bit, so an anti-aliased edge against an unknown
    page background would show a fringe).
  * violet_bg.gif, red_bg.gif, green_bg.gif, grey_bg.gif, yellow_bg.gif: 1 x 3000 strips tiled
    across the page: a richer tint behind the heading that eases into a pale tone where the
    thumbnails and the text sit (the default text colour is black).
  * blue_cell.gif, red_cell.gif, green_cell.gif, black_cell.gif, orange_cell.gif: 1 x 300 strips
    tiled behind each thumbnail cell: light at the top, a little deeper at the bottom.

Each page strip has a cell strip of the same family (violet page with blue cells, red with red,
green with green, grey with black, yellow with orange), which is how the album window pairs them.

Shapes are drawn four times larger and scaled down, which anti-aliases the glyphs. Everything is
computed, so every run writes the same bytes. Run from anywhere:
    scripts/make-album-art.py [output-folder]
"""

import os
import sys

from PIL import Image, ImageDraw, ImageFilter

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "resources", "album")

BUTTON = 40
SCALE = 4
PAGE_HEIGHT = 3000
CELL_HEIGHT = 300

# The comment makes Pillow write a GIF89a header (it writes GIF87a for a plain picture).
COMMENT = b"Lumora web album"


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def smoothstep(t):
    t = min(max(t, 0.0), 1.0)
    return t * t * (3 - 2 * t)


def save_gif(image, name):
    rgb = image.convert("RGB")
    colours = rgb.getcolors(256)
    # A picture with at most 256 colours keeps them exactly; a busier one is reduced without
    # dithering, which would speckle the smooth button face.
    paletted = rgb.quantize(colors=256, dither=Image.Dither.NONE) if colours is None else \
        rgb.quantize(colors=len(colours), method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    path = os.path.join(OUT, name)
    paletted.save(path, format="GIF", comment=COMMENT, optimize=False)
    with open(path, "rb") as f:
        assert f.read(6) == b"GIF89a", path


# ---- navigation buttons -------------------------------------------------------------------------

FACE_TOP = (92, 108, 132)
FACE_BOTTOM = (44, 54, 72)
RIM = (28, 34, 46)
HIGHLIGHT = (150, 166, 190)
GLYPH = (250, 251, 253)
GLYPH_SHADOW = (20, 24, 34)


def button_face():
    size = BUTTON * SCALE
    face = Image.new("RGB", (size, size))
    draw = ImageDraw.Draw(face)
    for y in range(size):
        draw.line([(0, y), (size, y)], fill=mix(FACE_TOP, FACE_BOTTOM, y / (size - 1)))
    # A dark rim with a light inner line at the top: a slightly raised tile.
    draw.rectangle([0, 0, size - 1, size - 1], outline=RIM, width=SCALE)
    draw.line([(2 * SCALE, 1.5 * SCALE), (size - 2 * SCALE, 1.5 * SCALE)], fill=HIGHLIGHT, width=SCALE)
    return face


def triangle(x, pointing_right, half_height=9, width=11):
    """A triangle whose base is at x (button pixels), centred vertically."""
    c = BUTTON / 2
    tip = x + width if pointing_right else x - width
    return [(x, c - half_height), (tip, c), (x, c + half_height)]


def bar(x0, x1):
    c = BUTTON / 2
    return [(x0, c - 9), (x1, c - 9), (x1, c + 9), (x0, c + 9)]


GLYPHS = {
    "first.gif": [bar(10, 13), triangle(25, False), triangle(31, False)],
    "previous.gif": [triangle(25.5, False, 10, 12)],
    "next.gif": [triangle(14.5, True, 10, 12)],
    "last.gif": [triangle(9, True), triangle(15, True), bar(27, 30)],
    "home.gif": [
        [(20, 8.5), (32, 20), (8, 20)],                    # roof
        [(11.5, 19), (28.5, 19), (28.5, 31), (11.5, 31)],  # walls
        [(26, 10), (29, 10), (29, 15), (26, 12)],          # chimney
    ],
}
HOME_DOOR = [(17.5, 23.5), (22.5, 23.5), (22.5, 31), (17.5, 31)]


def scaled(points, dx=0.0, dy=0.0):
    return [((x + dx) * SCALE, (y + dy) * SCALE) for x, y in points]


def draw_button(name, shapes):
    face = button_face()
    size = BUTTON * SCALE
    # A soft shadow below and to the right of the glyph lifts it off the face.
    shadow = Image.new("L", (size, size), 0)
    shadow_draw = ImageDraw.Draw(shadow)
    for shape in shapes:
        shadow_draw.polygon(scaled(shape, 0.8, 1.0), fill=150)
    shadow = shadow.filter(ImageFilter.GaussianBlur(1.2 * SCALE))
    face.paste(Image.new("RGB", (size, size), GLYPH_SHADOW), (0, 0), shadow)
    draw = ImageDraw.Draw(face)
    for shape in shapes:
        draw.polygon(scaled(shape), fill=GLYPH)
    if name == "home.gif":
        draw.polygon(scaled(HOME_DOOR), fill=mix(FACE_TOP, FACE_BOTTOM, 0.7))
    save_gif(face.resize((BUTTON, BUTTON), Image.Resampling.LANCZOS), name)


# ---- background strips --------------------------------------------------------------------------

# (file, heading tint, page tone) for the page strips; the tint eases into the tone over the
# first 900 pixels, and the tone drifts a touch deeper towards the bottom of a long page.
PAGES = [
    ("violet_bg.gif", (196, 178, 228), (244, 240, 251)),
    ("red_bg.gif", (226, 164, 160), (252, 241, 239)),
    ("green_bg.gif", (172, 212, 170), (240, 248, 238)),
    ("grey_bg.gif", (186, 190, 196), (242, 243, 245)),
    ("yellow_bg.gif", (240, 214, 130), (253, 249, 232)),
]

# (file, top, bottom) for the cell strips.
CELLS = [
    ("blue_cell.gif", (232, 240, 252), (176, 200, 236)),
    ("red_cell.gif", (252, 232, 230), (232, 172, 168)),
    ("green_cell.gif", (234, 248, 232), (176, 216, 172)),
    ("black_cell.gif", (78, 80, 86), (30, 31, 34)),
    ("orange_cell.gif", (255, 240, 220), (246, 190, 120)),
]


def strip(height, colour_at):
    image = Image.new("RGB", (1, height))
    for y in range(height):
        image.putpixel((0, y), colour_at(y))
    return image


def draw_page(name, tint, tone):
    deeper = mix(tone, tint, 0.25)

    def colour_at(y):
        head = smoothstep(y / 900)
        drift = max(0.0, (y - 900) / (PAGE_HEIGHT - 900))
        return mix(mix(tint, tone, head), deeper, drift * drift)

    save_gif(strip(PAGE_HEIGHT, colour_at), name)


def draw_cell(name, top, bottom):
    save_gif(strip(CELL_HEIGHT, lambda y: mix(top, bottom, smoothstep(y / (CELL_HEIGHT - 1)))), name)


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, shapes in GLYPHS.items():
        draw_button(name, shapes)
    for name, tint, tone in PAGES:
        draw_page(name, tint, tone)
    for name, top, bottom in CELLS:
        draw_cell(name, top, bottom)


if __name__ == "__main__":
    main()

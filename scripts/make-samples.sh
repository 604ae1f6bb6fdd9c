#!/usr/bin/env bash
# Draws Lumora's bundled sample photos into resources/samples/ and tags them with EXIF and IPTC
# metadata, so that a fresh install has something to try every task, the metadata panes and the
# naming patterns on.
#
# The scenes are painted from scratch (gradients, shapes, value noise, a little lettering) with
# fixed random seeds, so every run draws the same pictures. The metadata carries fixed dates only.
#
# Usage: scripts/make-samples.sh [output-folder]
# Needs: /usr/bin/python3 with PIL and numpy, exiftool, exiv2 (for the check at the end) and the
# DejaVu fonts; scripts/install-deps.sh installs them all.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/resources/samples}"
mkdir -p "$out"

/usr/bin/python3 - "$out" <<'PY'
import math
import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

OUT = sys.argv[1]
FONTS = "/usr/share/fonts/truetype/dejavu/"
SS = 2  # supersampling for drawn shapes


def font(name, size):
    return ImageFont.truetype(os.path.join(FONTS, name), size)


def gradient(w, h, stops):
    """Vertical gradient: stops = [(position 0..1, (r, g, b)), ...]."""
    y = np.linspace(0.0, 1.0, h)
    pos = [p for p, _ in stops]
    cols = np.array([c for _, c in stops], dtype=np.float64)
    g = np.stack([np.interp(y, pos, cols[:, k]) for k in range(3)], axis=1)
    return np.broadcast_to(g[:, None, :], (h, w, 3)).copy()


def value_noise(rng, w, h, cell, octaves=4, persistence=0.5):
    """Smooth fractal noise in about -1..1."""
    total = np.zeros((h, w), dtype=np.float64)
    amp, norm = 1.0, 0.0
    for _ in range(octaves):
        gw, gh = max(2, int(w / cell) + 2), max(2, int(h / cell) + 2)
        grid = rng.uniform(-1.0, 1.0, (gh, gw)).astype(np.float32)
        im = Image.fromarray(grid, "F").resize((int(gw * cell), int(gh * cell)), Image.BICUBIC)
        total += amp * np.asarray(im)[:h, :w]
        norm += amp
        amp *= persistence
        cell = max(cell / 2.0, 1.0)
    return total / norm


def ridge(rng, w, base, rough, cells=(400, 160, 60, 20)):
    """A 1-D skyline: height per column around `base` with detail at several scales."""
    x = np.arange(w)
    y = np.full(w, float(base))
    amp = rough
    for c in cells:
        k = w // c + 3
        pts = rng.uniform(-amp, amp, k)
        y += np.interp(x, np.arange(k) * c, pts)
        amp *= 0.45
    return y


def to_img(a):
    return Image.fromarray(np.clip(np.rint(a), 0, 255).astype(np.uint8), "RGB")


def layer(w, h):
    """A transparent drawing layer at SS times the size; returns (image, draw)."""
    im = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
    return im, ImageDraw.Draw(im)


def flatten(base, lay):
    """Composite a supersampled layer over an RGB image."""
    small = lay.resize(base.size, Image.LANCZOS)
    out = base.convert("RGBA")
    out.alpha_composite(small)
    return out.convert("RGB")


def S(v):
    """Scale coordinates for a supersampled layer."""
    if isinstance(v, tuple):
        return tuple(S(e) for e in v)
    if isinstance(v, list):
        return [S(e) for e in v]
    return v * SS


def fill_below(arr, line, colour_fn):
    """Paint rows below a per-column line with colour_fn(mask-shaped yy, xx) -> rgb."""
    h, w, _ = arr.shape
    yy, xx = np.mgrid[0:h, 0:w]
    m = yy >= line[None, :]
    cols = colour_fn(yy, xx)
    arr[m] = cols[m]
    return m


def sphere(img, cx, cy, r, colour, light=(-0.5, -0.6, 0.62), shine=0.5, gloss=30, tex=None):
    """Shade a sphere into an RGB float array in place (anti-aliased edge)."""
    h, w, _ = img.shape
    x0, x1 = max(0, int(cx - r - 2)), min(w, int(cx + r + 3))
    y0, y1 = max(0, int(cy - r - 2)), min(h, int(cy + r + 3))
    yy, xx = np.mgrid[y0:y1, x0:x1]
    dx, dy = (xx + 0.5 - cx) / r, (yy + 0.5 - cy) / r
    d2 = dx * dx + dy * dy
    cover = np.clip((1.0 - np.sqrt(d2)) * r + 0.5, 0.0, 1.0)
    nz = np.sqrt(np.clip(1.0 - d2, 0.0, 1.0))
    L = np.array(light) / np.linalg.norm(light)
    diff = np.clip(dx * L[0] + dy * L[1] + nz * L[2], 0.0, 1.0)
    H = L + np.array([0.0, 0.0, 1.0])
    H /= np.linalg.norm(H)
    glint = np.clip(dx * H[0] + dy * H[1] + nz * H[2], 0.0, 1.0) ** gloss
    c = np.asarray(colour, dtype=np.float64)
    if tex is not None:
        c = c * (1.0 + tex[y0:y1, x0:x1, None])
    else:
        c = np.broadcast_to(c, dx.shape + (3,))
    rim = 0.25 * (1.0 - nz) ** 3                # a little light bounced from the table
    shade = c * (0.22 + 0.85 * diff[..., None]) + rim[..., None] * c * 0.5 + 255.0 * shine * glint[..., None]
    a = cover[..., None]
    img[y0:y1, x0:x1] = img[y0:y1, x0:x1] * (1 - a) + np.clip(shade, 0, 255) * a


def pear(img, cx, top, bottom, colour, light=(-0.5, -0.6, 0.62)):
    """Shade a pear (a surface of revolution about a vertical axis) into img in place."""
    h, w, _ = img.shape
    ys = np.arange(top, bottom, dtype=np.float64)
    t = (ys - top) / (bottom - top)
    # radius along the height: a small round top flowing into a larger round belly (smooth maximum
    # of two circles' half-widths)
    r1 = 42.0 * np.sqrt(np.clip(1.0 - ((t - 0.2) / 0.2) ** 2, 0, 1))
    r2 = 98.0 * np.sqrt(np.clip(1.0 - ((t - 0.64) / 0.36) ** 2, 0, 1))
    r = (r1 ** 4 + r2 ** 4) ** 0.25 + 0.5
    dr = np.gradient(r)
    L = np.array(light) / np.linalg.norm(light)
    Hh = L + np.array([0.0, 0.0, 1.0])
    Hh /= np.linalg.norm(Hh)
    xs = np.arange(int(cx - 110), int(cx + 110))
    X = (xs[None, :] + 0.5 - cx) / r[:, None]
    cover = np.clip((1.0 - np.abs(X)) * r[:, None] + 0.5, 0, 1)
    nz = np.sqrt(np.clip(1 - X * X, 0, 1))
    nx, ny = X, -dr[:, None] * nz
    norm = np.sqrt(nx * nx + ny * ny + nz * nz)
    nx, ny, nz = nx / norm, ny / norm, nz / norm
    diff = np.clip(nx * L[0] + ny * L[1] + nz * L[2], 0, 1)
    glint = np.clip(nx * Hh[0] + ny * Hh[1] + nz * Hh[2], 0, 1) ** 25
    shade = np.asarray(colour) * (0.22 + 0.85 * diff[..., None]) + 255 * 0.3 * glint[..., None]
    a = cover[..., None]
    y0, x0 = int(top), int(xs[0])
    region = img[y0:y0 + len(ys), x0:x0 + len(xs)]
    img[y0:y0 + len(ys), x0:x0 + len(xs)] = region * (1 - a) + np.clip(shade, 0, 255) * a


def soft_shadow(img, cx, cy, rx, ry, strength=0.45, blur=1.0):
    h, w, _ = img.shape
    yy, xx = np.mgrid[0:h, 0:w]
    d = ((xx - cx) / rx) ** 2 + ((yy - cy) / ry) ** 2
    s = strength * np.exp(-d * 1.5 / blur)
    img *= (1.0 - s)[..., None]


def save(img, name):
    img.save(os.path.join(OUT, name), "JPEG", quality=88, optimize=True, dpi=(72, 72))


# ----------------------------------------------------------------------------------------------
def sunset():
    W, H = 1600, 1067
    rng = np.random.default_rng(101)
    horizon = 640
    sky = gradient(W, H, [(0.0, (38, 46, 104)), (0.25, (112, 70, 128)), (0.45, (226, 108, 78)),
                          (0.58, (252, 170, 84)), (0.6, (255, 206, 120)), (1.0, (255, 206, 120))])
    # thin bands of cloud lit from below
    n = value_noise(rng, W, H, 180, 5)
    band = np.exp(-((np.arange(H) - 330) / 120.0) ** 2)[:, None]
    cloud = np.clip(n * 1.8 - 0.15, 0, 1) * band
    sky = sky * (1 - 0.45 * cloud[..., None]) + np.array([255, 150, 110]) * 0.45 * cloud[..., None]
    # the sun and its glow
    sx, sy, sr = 980, horizon - 70, 62
    yy, xx = np.mgrid[0:H, 0:W]
    d = np.hypot(xx - sx, yy - sy)
    glow = np.exp(-d / 180.0) * 0.8
    sky = sky + np.array([255, 200, 120]) * glow[..., None] * 0.6
    disc = np.clip(sr - d + 0.5, 0, 1)
    sky = sky * (1 - disc[..., None]) + np.array([255, 244, 200]) * disc[..., None]
    # sea: darker towards the viewer, a glittering path under the sun
    sea_rows = np.arange(horizon, H)
    depth = (sea_rows - horizon) / (H - horizon)
    sea_col = np.array([150, 86, 84]) * (1 - depth[:, None]) + np.array([36, 30, 58]) * depth[:, None]
    sea = np.broadcast_to(sea_col[:, None, :], (H - horizon, W, 3)).copy()
    waves = value_noise(rng, W, H - horizon, 40, 4)
    # waves stretched horizontally, finer towards the horizon
    stripes = np.sin((sea_rows[:, None] - horizon) ** 0.7 * 2.2 + waves * 3.0)
    sea *= (1.0 + 0.12 * stripes[..., None])
    path_w = 60 + 260 * depth[:, None]
    path = np.exp(-((xx[horizon:] - sx) / path_w) ** 2) * np.clip(stripes, 0, 1) ** 3
    sea = sea + np.array([255, 210, 140]) * path[..., None] * 0.85
    img = sky
    img[horizon:] = sea
    # distant headland
    line = ridge(rng, W, horizon - 20, 18)
    line[:700] = horizon + 1
    m = (yy < horizon) & (yy >= line[None, :]) & (xx > 700)
    img[m] = np.array([70, 42, 70])
    im = to_img(img)
    lay, dr = layer(W, H)
    # a sailing boat in silhouette on the glitter path
    bx, by = 1180, 760
    dr.polygon(S([(bx - 70, by), (bx + 80, by), (bx + 60, by + 22), (bx - 55, by + 22)]), fill=(20, 16, 30, 255))
    dr.polygon(S([(bx, by - 150), (bx, by - 6), (bx + 68, by - 6)]), fill=(24, 18, 34, 255))
    dr.polygon(S([(bx - 4, by - 130), (bx - 4, by - 6), (bx - 58, by - 6)]), fill=(28, 22, 40, 255))
    dr.line(S([(bx - 2, by - 160), (bx - 2, by)]), fill=(20, 16, 30, 255), width=S(4))
    # gulls
    for gx, gy, gs in ((420, 300, 16), (470, 330, 11), (520, 290, 13), (1300, 220, 9)):
        dr.arc(S([gx - gs, gy - gs / 2, gx, gy + gs / 2]), 200, 340, fill=(40, 30, 50, 255), width=S(3))
        dr.arc(S([gx, gy - gs / 2, gx + gs, gy + gs / 2]), 200, 340, fill=(40, 30, 50, 255), width=S(3))
    im = flatten(im, lay)
    # the boat's name on its hull
    d = ImageDraw.Draw(im)
    d.text((bx - 40, by + 4), "LUMORA", font=font("DejaVuSans-Bold.ttf", 13), fill=(230, 170, 110))
    save(im, "sunset.jpg")


# ----------------------------------------------------------------------------------------------
def mountains():
    W, H = 1600, 1067
    rng = np.random.default_rng(202)
    shore = 700
    img = gradient(W, H, [(0.0, (86, 140, 204)), (0.5, (170, 204, 232)), (0.66, (214, 228, 238)), (1.0, (214, 228, 238))])
    yy, xx = np.mgrid[0:H, 0:W]
    # soft clouds
    n = value_noise(rng, W, H, 260, 5)
    c = np.clip(n * 2.2 - 0.2, 0, 1) * np.clip(1.2 - yy / 500.0, 0, 1)
    img = img * (1 - 0.7 * c[..., None]) + 252 * 0.7 * c[..., None]
    # ridges from far to near: each lighter and bluer with distance
    layers = [
        (420, 120, (150, 170, 200), True),
        (520, 90, (104, 128, 160), False),
        (610, 60, (66, 92, 96), False),
        (670, 30, (44, 70, 52), False),
    ]
    tex = value_noise(rng, W, H, 30, 4)
    for base, rough, col, snow in layers:
        line = ridge(rng, W, base, rough)
        m = (yy >= line[None, :]) & (yy < shore)
        shade = np.array(col) * (1.0 + 0.08 * tex[..., None])
        # a face towards the light: lighten where the ridge rises to the right
        slope = np.convolve(np.gradient(line), np.ones(31) / 31.0, mode="same")
        lit = np.clip(-slope[None, :] * 0.05, -0.12, 0.12)
        shade = shade * (1.0 + lit[..., None])
        if snow:
            below = yy - line[None, :]
            cap = (below < 40 + 30 * tex) & (line[None, :] < base - 20)
            shade = np.where(cap[..., None], np.array([236, 240, 248]) * (1.0 + lit[..., None] * 2), shade)
        img[m] = shade[m]
    # lake: the scene mirrored about the shore line, darker, rippled
    rows = np.arange(shore, H)
    src = np.clip(2 * shore - rows, 0, H - 1)
    ripple = (value_noise(rng, W, H - shore, 24, 3) * 6).astype(int)
    refl = img[np.clip(src[:, None] + ripple, 0, H - 1), np.arange(W)[None, :]]
    depth = ((rows - shore) / (H - shore))[:, None, None]
    water = np.array([40, 70, 90])
    img[shore:] = refl * (0.72 - 0.25 * depth) + water * (0.28 + 0.25 * depth)
    streaks = np.sin((rows[:, None] - shore) * 0.9 + value_noise(rng, W, H - shore, 60, 2) * 8)
    img[shore:] *= (1.0 + 0.04 * streaks[..., None])
    im = to_img(img)
    lay, dr = layer(W, H)
    # pines along the shore
    for i in range(60):
        px = rng.uniform(0, W)
        if 520 < px < 880:
            continue
        ph = rng.uniform(50, 130)
        pw = ph * 0.28
        by = shore + rng.uniform(-4, 6)
        col = (22, 44 + int(rng.uniform(0, 14)), 30, 255)
        dr.polygon(S([(px, by - ph), (px + pw, by), (px - pw, by)]), fill=col)
        dr.polygon(S([(px, by + ph * 0.9), (px + pw, by + 2), (px - pw, by + 2)]), fill=(30, 52, 56, 150))
    # signpost on the near bank
    sx, sy = 1270, 1000
    dr.rectangle(S([sx - 5, sy - 150, sx + 5, sy + 60]), fill=(92, 66, 40, 255))
    dr.polygon(S([(sx - 130, sy - 150), (sx + 110, sy - 150), (sx + 140, sy - 125), (sx + 110, sy - 100), (sx - 130, sy - 100)]),
               fill=(150, 108, 62, 255), outline=(84, 58, 32, 255))
    dr.rectangle(S([0, 990, W, H]), fill=(52, 64, 40, 255))
    im = flatten(im, lay)
    d = ImageDraw.Draw(im)
    d.text((sx - 118, sy - 142), "Lake Trail 2 km", font=font("DejaVuSans-Bold.ttf", 30), fill=(250, 240, 220))
    save(im, "mountains.jpg")


# ----------------------------------------------------------------------------------------------
def skyline():
    W, H = 1600, 1067
    rng = np.random.default_rng(303)
    water = 820
    img = gradient(W, H, [(0.0, (16, 20, 52)), (0.35, (58, 44, 100)), (0.6, (186, 92, 96)), (0.77, (244, 150, 90)),
                          (1.0, (244, 150, 90))])
    yy, xx = np.mgrid[0:H, 0:W]
    # a few stars in the dark upper sky
    stars = rng.random((H, W)) > 0.9993
    img[stars & (yy < 320)] = np.array([240, 240, 255])
    im = to_img(img)
    lay, dr = layer(W, H)
    # two rows of buildings: far (bluish, few lights) and near (dark, many lights)
    for row, (base_col, lit_p, hmin, hmax) in enumerate((((70, 60, 104), 0.25, 160, 380), ((28, 26, 44), 0.45, 120, 560))):
        x = -20
        while x < W:
            bw = int(rng.uniform(60, 150))
            bh = int(rng.uniform(hmin, hmax))
            top = water - bh
            col = tuple(int(c * rng.uniform(0.85, 1.1)) for c in base_col) + (255,)
            dr.rectangle(S([x, top, x + bw, water]), fill=col)
            if rng.random() < 0.25:  # an antenna or a stepped crown
                dr.rectangle(S([x + bw // 2 - 2, top - 60, x + bw // 2 + 2, top]), fill=col)
                dr.ellipse(S([x + bw // 2 - 4, top - 66, x + bw // 2 + 4, top - 58]), fill=(255, 60, 60, 255))
            elif rng.random() < 0.3:
                dr.rectangle(S([x + 12, top - 30, x + bw - 12, top]), fill=col)
            # windows
            for wy in range(top + 14, water - 12, 18):
                for wx in range(x + 10, x + bw - 12, 16):
                    if rng.random() < lit_p:
                        warm = rng.uniform(0, 1)
                        wc = (255, int(200 + 40 * warm), int(110 + 80 * warm), 255)
                        dr.rectangle(S([wx, wy, wx + 8, wy + 10]), fill=wc)
            x += bw + int(rng.uniform(-10, 18))
    im = flatten(im, lay)
    # the neon sign on the roof of a low building
    d = ImageDraw.Draw(im)
    sign_font = font("DejaVuSans-Bold.ttf", 54)
    glow = Image.new("RGB", im.size, (0, 0, 0))
    gd = ImageDraw.Draw(glow)
    gd.text((180, 430), "HOTEL LUMORA", font=sign_font, fill=(255, 60, 170))
    glow = glow.filter(ImageFilter.GaussianBlur(9))
    im = Image.fromarray(np.clip(np.asarray(im, dtype=np.int32) + np.asarray(glow, dtype=np.int32), 0, 255).astype(np.uint8))
    d = ImageDraw.Draw(im)
    d.text((180, 430), "HOTEL LUMORA", font=sign_font, fill=(255, 190, 230))
    # river reflection: mirrored, each row shifted a little sideways, smeared downwards
    a = np.asarray(im, dtype=np.float64)
    rows = np.arange(water, H)
    src = np.clip(2 * water - rows, 0, H - 1)
    shift = np.interp(rows, np.arange(water, H + 8, 4), rng.uniform(-5, 5, len(range(water, H + 8, 4)))).astype(int)
    refl = a[src[:, None], np.clip(np.arange(W)[None, :] + shift[:, None], 0, W - 1)]
    smear = to_img(refl).resize((W, (H - water) // 5), Image.BILINEAR).resize((W, H - water), Image.BILINEAR)
    refl = 0.5 * refl + 0.5 * np.asarray(smear, dtype=np.float64)
    ripples = 1.0 + 0.12 * np.sin(rows * 1.3 + value_noise(rng, 1, H - water, 8, 2)[:, 0] * 4)
    refl = refl * ripples[:, None, None]
    depth = ((rows - water) / (H - water))[:, None, None]
    a[water:] = refl * (0.55 - 0.2 * depth) + np.array([20, 18, 40]) * (0.45 + 0.2 * depth)
    a[water:water + 3] = np.array([30, 26, 50])
    save(to_img(a), "skyline.jpg")


# ----------------------------------------------------------------------------------------------
def still_life():
    W, H = 1067, 1600        # portrait
    rng = np.random.default_rng(404)
    table = 1020
    yy, xx = np.mgrid[0:H, 0:W]
    # wall: warm grey with a soft pool of light and a vignette
    img = gradient(W, H, [(0.0, (92, 84, 76)), (0.6, (150, 136, 118)), (1.0, (150, 136, 118))])
    light = np.exp(-(((xx - 380) / 700.0) ** 2 + ((yy - 600) / 600.0) ** 2))
    img = img * (0.7 + 0.45 * light[..., None])
    img *= (1.0 + 0.03 * value_noise(rng, W, H, 90, 4))[..., None]
    # table top: wood with grain running left-right, front edge
    grain = value_noise(rng, W, H, 12, 3)
    rings = np.sin(yy * 0.22 + value_noise(rng, W, H, 220, 3) * 10 + grain * 0.8)
    wood = np.array([120, 74, 42]) * (1.0 + 0.12 * rings[..., None] + 0.05 * grain[..., None])
    persp = np.clip((yy - table) / (H - table), 0, 1)[..., None]
    wood = wood * (0.75 + 0.35 * persp)
    m = yy >= table
    img[m] = wood[m]
    img[(yy >= 1380) & (yy < 1392)] = np.array([70, 40, 22])
    img[yy >= 1392] = (wood * 0.55)[yy >= 1392]
    # shadows under the objects
    for cx, cy, rx, ry in ((310, 1150, 190, 40), (640, 1160, 150, 34), (820, 1060, 110, 26), (540, 1250, 150, 36)):
        soft_shadow(img, cx + 40, cy, rx, ry, 0.55)
    # a bottle behind: dark green glass with a highlight
    bx, bw = 820, 80
    neck = 640
    for y in range(520, 1065):
        half = bw if y > 760 else (bw * 0.32 + (bw * 0.68) * np.clip((y - neck) / 120.0, 0, 1))
        x0, x1 = int(bx - half), int(bx + half)
        t = (np.arange(x0, x1) - bx) / max(half, 1)
        shade = (0.45 + 0.55 * np.sqrt(np.clip(1 - t * t, 0, 1)))[:, None]
        col = np.array([24, 82, 48]) * shade + 200 * np.exp(-((t + 0.45) / 0.08) ** 2)[:, None]
        img[y, x0:x1] = col
    # fruit: an orange with dimpled skin, two apples, a pear, a bunch of grapes
    dimple = value_noise(rng, W, H, 3, 2) * 0.08
    sphere(img, 640, 1040, 118, (236, 128, 26), shine=0.35, gloss=20, tex=dimple)
    sphere(img, 300, 1010, 150, (180, 28, 30), shine=0.6, gloss=40)
    sphere(img, 420, 1130, 110, (196, 54, 34), shine=0.55, gloss=35)
    pear(img, 548, 985, 1250, (172, 178, 62))
    for gx, gy in ((760, 1140), (800, 1150), (840, 1150), (780, 1180), (820, 1185), (860, 1180), (800, 1215),
                   (840, 1215), (820, 1245), (740, 1170)):
        sphere(img, gx, gy, 24, (84, 40, 92), shine=0.7, gloss=60)
    im = to_img(img)
    lay, dr = layer(W, H)
    # stems and a leaf
    dr.line(S([(300, 870), (310, 840)]), fill=(70, 44, 20, 255), width=S(7))
    dr.line(S([(548, 990), (556, 955)]), fill=(70, 44, 20, 255), width=S(6))
    dr.ellipse(S([312, 835, 380, 865]), fill=(70, 120, 40, 255))
    # the card leaning on the table edge
    dr.polygon(S([(120, 1300), (470, 1290), (480, 1460), (130, 1472)]), fill=(244, 238, 222, 255), outline=(180, 170, 150, 255))
    im = flatten(im, lay)
    card = Image.new("RGBA", (340, 150), (0, 0, 0, 0))
    cd = ImageDraw.Draw(card)
    cd.text((24, 28), "Still Life No. 5", font=font("DejaVuSerif-Bold.ttf", 34), fill=(60, 40, 30, 255))
    cd.text((24, 86), "oil on canvas, 1921", font=font("DejaVuSerif.ttf", 24), fill=(90, 70, 60, 255))
    card = card.rotate(1.7, resample=Image.BICUBIC, expand=True)
    im.paste(card, (124, 1300), card)
    save(im, "still-life.jpg")


# ----------------------------------------------------------------------------------------------
def garden():
    W, H = 1600, 1067
    rng = np.random.default_rng(505)
    yy, xx = np.mgrid[0:H, 0:W]
    img = gradient(W, H, [(0.0, (120, 170, 226)), (0.4, (196, 222, 240)), (1.0, (196, 222, 240))])
    n = value_noise(rng, W, H, 200, 5)
    cl = np.clip(n * 2.0, 0, 1) * np.clip(1 - yy / 380.0, 0, 1)
    img = img * (1 - 0.8 * cl[..., None]) + 250 * 0.8 * cl[..., None]
    # hedge along the back
    hedge = ridge(rng, W, 430, 20, cells=(200, 60, 20))
    leaf = value_noise(rng, W, H, 6, 3)
    hedge_col = np.array([44, 88, 40]) * (1.0 + 0.35 * leaf[..., None])
    m = yy >= hedge[None, :]
    img[m] = hedge_col[m]
    # lawn with mowing stripes and grass texture
    lawn_top = 560
    blades = value_noise(rng, W, H, 3, 2)
    stripes = np.sign(np.sin((xx - (yy - lawn_top) * 0.6) / 70.0))
    persp = np.clip((yy - lawn_top) / (H - lawn_top), 0, 1)
    lawn = np.array([86, 150, 60]) * (1.0 + 0.06 * stripes[..., None] + 0.12 * blades[..., None]) * (0.85 + 0.25 * persp[..., None])
    img[yy >= lawn_top] = lawn[yy >= lawn_top]
    # gravel path winding to the back
    centre = 800 + 260 * np.sin((yy - lawn_top) / 260.0)
    half = 30 + 230 * persp
    path = (yy >= lawn_top) & (np.abs(xx - centre) < half)
    gravel = np.array([198, 184, 160]) * (1.0 + 0.12 * value_noise(rng, W, H, 2, 2)[..., None])
    img[path] = gravel[path]
    im = to_img(img)
    lay, dr = layer(W, H)
    # flower beds: stems and blossoms, larger towards the front
    palette = [(220, 40, 70), (250, 200, 40), (240, 240, 250), (200, 90, 200), (250, 130, 40), (230, 90, 120)]
    flowers = []
    for i in range(420):
        y = rng.uniform(lawn_top + 10, H + 20)
        p = (y - lawn_top) / (H - lawn_top)
        x = rng.uniform(0, W)
        c = 800 + 260 * math.sin((y - lawn_top) / 260.0)
        if abs(x - c) < 30 + 230 * p + 40 + 30 * p:
            continue
        flowers.append((y, x, p, palette[int(rng.integers(len(palette)))]))
    flowers.sort()
    for y, x, p, col in flowers:
        size = 5 + 22 * p
        dr.line(S([(x, y), (x + rng.uniform(-3, 3), y + size * 2.2)]), fill=(40, 100, 30, 255), width=S(max(1, int(size / 6))))
        for k in range(5):
            ang = k * 2 * math.pi / 5 + rng.uniform(0, 1)
            px, py = x + math.cos(ang) * size * 0.55, y + math.sin(ang) * size * 0.45
            dr.ellipse(S([px - size * 0.5, py - size * 0.4, px + size * 0.5, py + size * 0.4]), fill=col + (255,))
        dr.ellipse(S([x - size * 0.22, y - size * 0.2, x + size * 0.22, y + size * 0.2]), fill=(240, 200, 60, 255))
    # a wooden sign on two posts
    sx, sy = 1180, 700
    dr.rectangle(S([sx - 110, sy, sx - 96, sy + 190]), fill=(96, 66, 40, 255))
    dr.rectangle(S([sx + 96, sy, sx + 110, sy + 190]), fill=(96, 66, 40, 255))
    dr.rounded_rectangle(S([sx - 150, sy - 70, sx + 150, sy + 30]), radius=S(12), fill=(150, 104, 60, 255), outline=(90, 60, 34, 255), width=S(4))
    im = flatten(im, lay)
    d = ImageDraw.Draw(im)
    f = font("DejaVuSerif-Bold.ttf", 36)
    tw = d.textlength("Rose Garden", font=f)
    d.text((sx - tw / 2, sy - 44), "Rose Garden", font=f, fill=(252, 242, 214))
    save(im, "garden.jpg")


sunset()
mountains()
skyline()
still_life()
garden()
PY

# Metadata. Every value is fixed (no tag takes the clock), so repeated runs agree.
tag() {
  local file="$1" date="$2" exposure="$3" fnumber="$4" iso="$5" focal="$6" title="$7" caption="$8" city="$9" country="${10}"
  shift 10
  local keywords=()
  for k in "$@"; do keywords+=("-IPTC:Keywords=$k"); done
  exiftool -q -overwrite_original \
    -EXIF:Make="Lumora" \
    -EXIF:Model="Sample Scene Generator" \
    -EXIF:Software="Lumora make-samples.sh" \
    -EXIF:Artist="Lumora Project" \
    -EXIF:Copyright="Copyright 2024 Lumora Project, free to use" \
    -EXIF:ImageDescription="$caption" \
    -EXIF:DateTimeOriginal="$date" \
    -EXIF:CreateDate="$date" \
    -EXIF:ModifyDate="$date" \
    -EXIF:ExposureTime="$exposure" \
    -EXIF:FNumber="$fnumber" \
    -EXIF:ISO="$iso" \
    -EXIF:FocalLength="$focal" \
    -EXIF:Orientation#=1 \
    -EXIF:XResolution=72 -EXIF:YResolution=72 -EXIF:ResolutionUnit=inches \
    -EXIF:ColorSpace=sRGB \
    -IPTC:CodedCharacterSet=UTF8 \
    -IPTC:ObjectName="$title" \
    -IPTC:Caption-Abstract="$caption" \
    -IPTC:By-line="Lumora Project" \
    -IPTC:City="$city" \
    -IPTC:Country-PrimaryLocationName="$country" \
    -IPTC:CopyrightNotice="Copyright 2024 Lumora Project, free to use" \
    -IPTC:DateCreated="${date%% *}" \
    -IPTC:TimeCreated="${date##* }" \
    "${keywords[@]}" \
    "$out/$file"
}

tag sunset.jpg      "2024:06:21 21:14:05" 1/250 8.0  100 35  "Sunset at Sea" \
    "The sun setting over a calm sea, a sailing boat on the glitter path." "Brighton" "United Kingdom" \
    sunset sea boat evening
tag mountains.jpg   "2024:08:03 10:42:30" 1/320 11.0 100 24  "Lake Trail" \
    "Layered mountain ridges above a still lake, pines along the shore and a trail sign." "Chamonix" "France" \
    mountains lake landscape
tag skyline.jpg     "2024:10:12 19:05:48" 1/30  2.8  1600 50 "City at Dusk" \
    "A city skyline at dusk with lit windows, a neon hotel sign and its reflection in the river." "Rotterdam" "Netherlands" \
    city night skyline neon
tag still-life.jpg  "2024:02:14 15:20:10" 1/60  5.6  400 85  "Still Life No. 5" \
    "Fruit and a green bottle on a wooden table, with a gallery card." "Vienna" "Austria" \
    "still life" fruit interior
tag garden.jpg      "2024:05:18 12:03:55" 1/500 5.6  200 28  "Rose Garden" \
    "A garden with flower beds either side of a gravel path and a wooden sign." "Kew" "United Kingdom" \
    garden flowers spring summer

# Check that the tags are there, as both exiftool and exiv2 read them.
status=0
for f in "$out"/*.jpg; do
  size=$(stat -c %s "$f")
  if [ "$size" -gt 409600 ]; then
    echo "make-samples: $f is $size bytes (over 400 KB)" >&2
    status=1
  fi
  for t in Make Model DateTimeOriginal CreateDate ExposureTime FNumber ISO FocalLength Artist Copyright \
           ImageDescription Software ObjectName Caption-Abstract Keywords By-line City \
           Country-PrimaryLocationName CopyrightNotice; do
    if [ -z "$(exiftool -s3 -"$t" "$f")" ]; then
      echo "make-samples: $f lacks $t (exiftool)" >&2
      status=1
    fi
  done
  listing="$(exiv2 -q -pa "$f" 2>/dev/null || true)"
  for k in Exif.Image.Make Exif.Image.Model Exif.Photo.DateTimeOriginal Exif.Photo.ExposureTime \
           Exif.Photo.FNumber Exif.Photo.ISOSpeedRatings Exif.Photo.FocalLength Exif.Image.Artist \
           Exif.Image.Copyright Exif.Image.ImageDescription Exif.Image.Software Iptc.Application2.ObjectName \
           Iptc.Application2.Caption Iptc.Application2.Keywords Iptc.Application2.Byline Iptc.Application2.City \
           Iptc.Application2.CountryName Iptc.Application2.Copyright; do
    if ! grep -q "^$k " <<<"$listing"; then
      echo "make-samples: $f lacks $k (exiv2)" >&2
      status=1
    fi
  done
done
photos=("$out"/*.jpg)
[ "$status" -eq 0 ] && echo "make-samples: wrote ${#photos[@]} photos to $out"
exit "$status"

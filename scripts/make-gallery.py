#!/usr/bin/python3
"""Draws Lumora's stock pictures: frame styles 00-07, shadow styles 08-15, the four ornaments of the
antique frame and the eight masks, all as 8-bit RGBA PNGs under resources/gallery/.

Everything is computed (no input files) from fixed seeds, so every run writes the same pictures.
Run from anywhere:  scripts/make-gallery.py  [output-folder]

How the task runner uses them (this is what the shapes below are designed for):
  * A frame or shadow style is eight pieces. top_left goes at (0, 0); top_middle repeats to the right
    from x = width(top_left) in steps of its width; left and right repeat downwards from
    y = height(top_left) in steps of height(left); bottom_middle repeats like top_middle; the other
    corners sit in their corners. Later pieces are drawn over earlier ones with their own alpha.
    With "enlarge canvas" the picture first grows by width(left) on the left, height(top_left) on
    top, width(right) - 2 on the right and height(bottom_left) - 2 at the bottom, so right and
    bottom pieces overlap the photo by two pixels.
  * The antique frame (style 04) also draws the four ornaments on its left and right sides just
    below the top corners and just above the bottom corners; no side tiles are drawn under the top
    two, so they carry their own stretch of moulding.
  * Shadow pieces are pure black (style 15 one flat blue) with an alpha ramp, so that a transparent
    colour of black makes them vanish entirely.
  * A mask is stretched to the photo and drawn over it with exact black as the see-through colour:
    inside the shape is opaque RGB (0, 0, 0), outside is a light colour whose alpha fades to nothing
    at the shape's edge (no grey blend towards black, which would show as a dark ring).
"""

import math
import os
import sys

import numpy as np
from PIL import Image

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "resources", "gallery")

PIECES = ("top_left", "top_middle", "top_right", "left", "right", "bottom_left", "bottom_middle", "bottom_right")

# Direction towards the light (x right, y down, z towards the viewer): light from the top left.
LIGHT = np.array([-0.55, -0.65, 0.75])
LIGHT = LIGHT / np.linalg.norm(LIGHT)
HALF = LIGHT + np.array([0.0, 0.0, 1.0])
HALF = HALF / np.linalg.norm(HALF)


# ----------------------------------------------------------------------------------------------
# Small numeric helpers
# ----------------------------------------------------------------------------------------------

def smoothstep(e0, e1, x):
    t = np.clip((x - e0) / (e1 - e0), 0.0, 1.0)
    return t * t * (3.0 - 2.0 * t)


def erf(x):
    # Abramowitz and Stegun 7.1.26, absolute error below 1.5e-7.
    x = np.asarray(x, dtype=np.float64)
    s = np.sign(x)
    a = np.abs(x)
    t = 1.0 / (1.0 + 0.3275911 * a)
    y = 1.0 - (((((1.061405429 * t - 1.453152027) * t) + 1.421413741) * t - 0.284496736) * t + 0.254829592) * t * np.exp(-a * a)
    return s * y


def phi(x):
    """Standard normal cumulative distribution."""
    return 0.5 * (1.0 + erf(np.asarray(x) / math.sqrt(2.0)))


def periodic_noise(rng, rows, cols, sigma_r, sigma_c):
    """White noise blurred with a Gaussian through the FFT: periodic in both directions, zero mean, unit
    deviation. Rows run across a frame side, columns along it (so the texture tiles along the side)."""
    white = rng.standard_normal((rows, cols))
    fr = np.fft.fftfreq(rows)[:, None]
    fc = np.fft.fftfreq(cols)[None, :]
    kernel = np.exp(-2.0 * math.pi ** 2 * ((fr * sigma_r) ** 2 + (fc * sigma_c) ** 2))
    out = np.real(np.fft.ifft2(np.fft.fft2(white) * kernel))
    out -= out.mean()
    sd = out.std()
    return out / sd if sd > 0 else out


class Texture:
    """A periodic texture sampled bilinearly at (s, u): s across the side (clamped), u along it (wrapped)."""

    def __init__(self, data):
        self.data = data

    def __call__(self, s, u):
        rows, cols = self.data.shape
        s = np.clip(s - 0.5, 0, rows - 1)
        u = np.mod(u - 0.5, cols)
        s0 = np.floor(s).astype(int)
        u0 = np.floor(u).astype(int)
        fs = s - s0
        fu = u - u0
        s1 = np.minimum(s0 + 1, rows - 1)
        u1 = (u0 + 1) % cols
        d = self.data
        return ((d[s0, u0] * (1 - fu) + d[s0, u1] * fu) * (1 - fs)
                + (d[s1, u0] * (1 - fu) + d[s1, u1] * fu) * fs)


def mix(c0, c1, t):
    c0 = np.asarray(c0, dtype=np.float64) / 255.0
    c1 = np.asarray(c1, dtype=np.float64) / 255.0
    t = np.asarray(t)[..., None]
    return c0 + (c1 - c0) * t


def colour(c, shape):
    return np.broadcast_to(np.asarray(c, dtype=np.float64) / 255.0, tuple(shape) + (3,)).copy()


def save_png(array, path):
    """array: float RGBA in 0..1 or uint8 RGBA."""
    if array.dtype != np.uint8:
        array = np.clip(np.rint(array * 255.0), 0, 255).astype(np.uint8)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    Image.fromarray(array, "RGBA").save(path, optimize=True)


# ----------------------------------------------------------------------------------------------
# Relief renderer: a height field plus albedo, lit from the top left, supersampled
# ----------------------------------------------------------------------------------------------

SS = 3  # subpixels per pixel in each direction


def render(width, height, field, ambient=0.35, sheen=0.0, shininess=20.0, sheen_colour=(1.0, 1.0, 1.0)):
    """field(X, Y) -> dict with 'h' (height in pixels), 'rgb' (albedo 0..1) and optionally 'a' (coverage
    0..1), 'sheen' (per-pixel specular weight). X, Y hold subpixel centres in piece pixels and reach one
    subpixel beyond the piece on every side so that slopes at the borders come out right (tiles keep
    their slopes periodic because the fields are)."""
    step = 1.0 / SS
    xs = (np.arange(-1, width * SS + 1) + 0.5) * step
    ys = (np.arange(-1, height * SS + 1) + 0.5) * step
    X, Y = np.meshgrid(xs, ys)
    f = field(X, Y)
    h = f["h"]
    gx = (h[1:-1, 2:] - h[1:-1, :-2]) / (2 * step)
    gy = (h[2:, 1:-1] - h[:-2, 1:-1]) / (2 * step)
    rgb = f["rgb"][1:-1, 1:-1]
    alpha = f.get("a")
    alpha = np.ones(gx.shape) if alpha is None else np.broadcast_to(alpha, h.shape)[1:-1, 1:-1]
    ks = f.get("sheen", sheen)
    if not np.isscalar(ks):
        ks = ks[1:-1, 1:-1]
    norm = np.sqrt(gx * gx + gy * gy + 1.0)
    nx, ny, nz = -gx / norm, -gy / norm, 1.0 / norm
    ndl = np.maximum(0.0, nx * LIGHT[0] + ny * LIGHT[1] + nz * LIGHT[2]) / LIGHT[2]
    ndh = np.maximum(0.0, nx * HALF[0] + ny * HALF[1] + nz * HALF[2])
    lit = rgb * (ambient + (1.0 - ambient) * ndl)[..., None]
    lit = lit + (np.asarray(ks) * ndh ** shininess)[..., None] * np.asarray(sheen_colour)
    lit = np.clip(lit, 0.0, 1.0)
    # Average the subpixels (premultiplied, so that coverage edges stay clean).
    pre = np.concatenate([lit * alpha[..., None], alpha[..., None]], axis=2)
    pre = pre.reshape(height, SS, width, SS, 4).mean(axis=(1, 3))
    a = pre[..., 3:4]
    rgb_out = np.where(a > 0, pre[..., :3] / np.maximum(a, 1e-9), 0.0)
    return np.concatenate([rgb_out, a], axis=2)


# ----------------------------------------------------------------------------------------------
# Frame geometry: which side of the frame a point of a piece belongs to
# ----------------------------------------------------------------------------------------------

TOP, BOTTOM, LEFT, RIGHT = 0, 1, 2, 3


def piece_size(name, g):
    tl, tt, tr, tb, P = g["left"], g["top"], g["right"], g["bottom"], g["period"]
    return {
        "top_left": (tl, tt), "top_middle": (P, tt), "top_right": (tr, tt),
        "left": (tl, P), "right": (tr, P),
        "bottom_left": (tl, tb), "bottom_middle": (P, tb), "bottom_right": (tr, tb),
    }[name]


def side_map(name, g, X, Y):
    """Returns side, s (distance in from the outer edge), u (position along the side; periodic with the
    tile length, and continuous from a corner into the first tile where the composer allows it),
    and the distance to the mitre line (inf on edge pieces)."""
    tl, tt, tr, tb = g["left"], g["top"], g["right"], g["bottom"]
    inf = np.full(X.shape, np.inf)
    if name == "top_middle":
        return np.full(X.shape, TOP), Y, X, inf
    if name == "bottom_middle":
        return np.full(X.shape, BOTTOM), tb - Y, X, inf
    if name == "left":
        return np.full(X.shape, LEFT), X, Y, inf
    if name == "right":
        return np.full(X.shape, RIGHT), tr - X, Y, inf
    if name == "top_left":
        a, b = Y / tt, X / tl          # normalised distances in from the top / left edges
        is_a = a < b
        side = np.where(is_a, TOP, LEFT)
        s = np.where(is_a, Y, X)
        u = np.where(is_a, X - tl, Y - tt)
        return side, s, u, np.abs(a - b) * min(tl, tt)
    if name == "top_right":
        dr = tr - X
        a, b = Y / tt, dr / tr
        is_a = a < b
        side = np.where(is_a, TOP, RIGHT)
        s = np.where(is_a, Y, dr)
        u = np.where(is_a, X - tr, Y - tt)
        return side, s, u, np.abs(a - b) * min(tr, tt)
    if name == "bottom_left":
        db = tb - Y
        a, b = db / tb, X / tl
        is_a = a < b
        side = np.where(is_a, BOTTOM, LEFT)
        s = np.where(is_a, db, X)
        u = np.where(is_a, X - tl, Y - tb)
        return side, s, u, np.abs(a - b) * min(tl, tb)
    if name == "bottom_right":
        dr, db = tr - X, tb - Y
        a, b = db / tb, dr / tr
        is_a = a < b
        side = np.where(is_a, BOTTOM, RIGHT)
        s = np.where(is_a, db, dr)
        u = np.where(is_a, X - tr, Y - tb)
        return side, s, u, np.abs(a - b) * min(tr, tb)
    raise ValueError(name)


class FrameStyle:
    """A moulding: geometry g (side thicknesses, tile period), a height profile and an albedo, both as
    functions of (s, u, side). Pieces are rendered from these so that all eight join up."""

    ambient = 0.35
    sheen = 0.0
    shininess = 20.0
    sheen_colour = (1.0, 1.0, 1.0)
    mitre_line = 0.85   # albedo factor on the mitre joint (1 = no visible joint)

    def joint_weight(self, s):
        """Where across the side the mitre joint shows (1) or not (0)."""
        return np.ones(np.shape(s))

    def __init__(self, g):
        self.g = g

    def height(self, s, u, side):
        raise NotImplementedError

    def albedo(self, s, u, side, corner):
        raise NotImplementedError

    def specular(self, s, u, side):
        return self.sheen

    def field_for(self, name):
        g = self.g
        corner = name in ("top_left", "top_right", "bottom_left", "bottom_right")

        def field(X, Y):
            side, s, u, mitre = side_map(name, g, X, Y)
            h = self.height(s, u, side)
            rgb = self.albedo(s, u, side, corner)
            if corner and self.mitre_line < 1.0:
                joint = 1.0 - (1.0 - self.mitre_line) * (1.0 - smoothstep(0.0, 0.9, mitre)) * self.joint_weight(s)
                rgb = rgb * joint[..., None]
            ks = self.specular(s, u, side)
            return {"h": h, "rgb": rgb, "sheen": ks}
        return field

    def piece(self, name):
        w, h = piece_size(name, self.g)
        return render(w, h, self.field_for(name), self.ambient, 0.0, self.shininess, self.sheen_colour)

    def pieces(self):
        return {name: self.piece(name) for name in PIECES}


# Profile building blocks (s in pixels, results in pixels of height).

def bead(s, c, r, h):
    """Half-round bead centred at c, radius r, height h."""
    q = np.clip(1.0 - ((s - c) / r) ** 2, 0.0, 1.0)
    return h * np.sqrt(q)


def ramp(s, s0, s1, h0, h1):
    t = np.clip((s - s0) / (s1 - s0), 0.0, 1.0)
    return h0 + (h1 - h0) * t


def soft_ramp(s, s0, s1, h0, h1):
    return h0 + (h1 - h0) * smoothstep(s0, s1, s)


# ----------------------------------------------------------------------------------------------
# Frame styles 00-07
# ----------------------------------------------------------------------------------------------

class Walnut(FrameStyle):
    """00: dark walnut, rounded outer lip, cove, flat and a stepped inner lip."""
    ambient = 0.32
    shininess = 18.0

    def __init__(self):
        super().__init__({"left": 46, "top": 46, "right": 46, "bottom": 46, "period": 128})
        rng = np.random.default_rng(1000)
        t, P = 46, 128
        # ring waviness: mostly a function of the distance across the side (so that the grain runs on
        # across the joints between tiles and corners), with a little variation along it
        self.warp = [Texture(periodic_noise(rng, t, P, 6.0, 1e6) + 0.3 * periodic_noise(rng, t, P, 10.0, 40.0))
                     for _ in range(4)]
        self.fibre = [Texture(periodic_noise(rng, t, P, 0.5, 16.0)) for _ in range(4)]
        self.pore = [Texture(periodic_noise(rng, t, P, 0.5, 3.0)) for _ in range(4)]

    def height(self, s, u, side):
        t = 46.0
        h = np.where(s < 5.0, bead(s, 5.0, 5.0, 4.0), 4.0)            # rounded outer lip
        h = h - np.where((s >= 8.0) & (s < 22.0), 5.0 * np.sin(np.pi * (s - 8.0) / 14.0), 0.0)   # cove
        h = h + bead(s, 37.0, 3.0, 2.0)                                # flat, then a small bead
        h = np.where(s > 40.0, ramp(s, 40.0, t, 3.0, 0.0), h)           # step down to the rabbet
        return h

    def albedo(self, s, u, side, corner):
        rings = np.zeros(s.shape)
        fib = np.zeros(s.shape)
        pore = np.zeros(s.shape)
        for k in range(4):
            m = side == k
            if not np.any(m):
                continue
            w = self.warp[k](s[m], u[m])
            rings[m] = 0.5 + 0.5 * np.sin(2 * np.pi * (s[m] / 6.5 + 0.8 * w))
            fib[m] = self.fibre[k](s[m], u[m])
            pore[m] = self.pore[k](s[m], u[m])
        t = np.clip(0.5 * rings ** 2 + 0.15 * fib + 0.25, 0, 1)
        rgb = mix((48, 27, 14), (112, 70, 40), t)
        rgb = rgb * (1.0 - 0.25 * (pore > 2.0))[..., None]
        # the rabbet step is darker end grain
        rgb = rgb * np.where(s > 40.0, 0.55, 1.0)[..., None]
        return rgb

    def specular(self, s, u, side):
        return 0.10


class Gilded(FrameStyle):
    """01: gilded gold with an outer pearl row, a sweeping cove, a raised rope moulding and a bright
    sight edge."""
    ambient = 0.30
    shininess = 14.0
    sheen_colour = (1.0, 0.92, 0.7)
    mitre_line = 0.8

    def __init__(self):
        super().__init__({"left": 56, "top": 56, "right": 56, "bottom": 56, "period": 128})
        rng = np.random.default_rng(1001)
        self.mottle = [Texture(periodic_noise(rng, 56, 128, 3.0, 6.0)) for _ in range(4)]
        self.speck = [Texture(periodic_noise(rng, 56, 128, 0.6, 0.6)) for _ in range(4)]

    def height(self, s, u, side):
        # outer edge rounded, then pearl row (beads of period 8 along the side)
        h = soft_ramp(s, 0.0, 3.0, 2.0, 6.0)
        up = np.mod(u, 8.0) - 4.0
        pearl = 3.2 * np.sqrt(np.clip(1.0 - ((s - 7.0) / 3.6) ** 2 - (up / 3.6) ** 2, 0.0, 1.0))
        h = np.where((s >= 3.0) & (s < 11.0), 6.0 + pearl, h)
        # wide cove, rising again to the rope
        cove = 6.0 - 7.0 * np.sin(np.pi * np.clip((s - 11.0) / 22.0, 0, 1))
        h = np.where((s >= 11.0) & (s < 33.0), cove, h)
        # rope: diagonal twist of period 8
        ph = np.mod(u + (s - 33.0) * 1.0, 8.0) / 8.0
        rope = bead(s, 38.0, 5.0, 5.0) * (0.75 + 0.25 * np.cos(2 * np.pi * ph))
        h = np.where((s >= 33.0) & (s < 43.0), 6.0 + rope, h)
        # flat then the stepped sight edge
        h = np.where((s >= 43.0) & (s < 50.0), 6.0 - 0.0 * s, h)
        h = np.where(s >= 50.0, 6.0 + bead(s, 52.5, 2.5, 2.0) - ramp(s, 54.0, 56.0, 0.0, 3.0), h)
        return h

    def albedo(self, s, u, side, corner):
        mot = np.zeros(s.shape)
        spk = np.zeros(s.shape)
        for k in range(4):
            m = side == k
            if np.any(m):
                mot[m] = self.mottle[k](s[m], u[m])
                spk[m] = self.speck[k](s[m], u[m])
        t = np.clip(0.55 + 0.15 * mot, 0, 1)
        rgb = mix((150, 104, 30), (226, 178, 78), t)
        # deeper toned recess of the cove, where gilders leave the bole showing
        rec = np.clip(np.sin(np.pi * np.clip((s - 11.0) / 22.0, 0, 1)), 0, 1) * ((s >= 11.0) & (s < 33.0))
        rgb = rgb * (1.0 - 0.22 * rec)[..., None] + rec[..., None] * np.array([0.06, 0.0, -0.02])
        rgb = rgb * (1.0 + 0.05 * np.clip(spk, -2, 2))[..., None]
        return np.clip(rgb, 0, 1)

    def specular(self, s, u, side):
        return 0.55


class BrushedMetal(FrameStyle):
    """02: brushed silver aluminium profile with chamfered edges."""
    ambient = 0.40
    shininess = 30.0
    mitre_line = 0.7

    def __init__(self):
        super().__init__({"left": 28, "top": 28, "right": 28, "bottom": 28, "period": 128})
        rng = np.random.default_rng(1002)
        self.brush = [Texture(periodic_noise(rng, 28 * 3, 128, 0.35, 40.0)) for _ in range(4)]
        self.brush2 = [Texture(periodic_noise(rng, 28 * 3, 128, 0.8, 10.0)) for _ in range(4)]

    def height(self, s, u, side):
        h = ramp(s, 0.0, 4.0, 0.0, 4.0)                        # outer chamfer
        h = h + bead(s, 14.0, 10.0, 0.8) * ((s > 4) & (s < 24))  # slightly crowned face
        h = np.where(s > 22.0, ramp(s, 22.0, 25.0, 4.0, 1.0), h)  # inner chamfer
        h = np.where(s > 25.0, 1.0, h)
        return h

    def albedo(self, s, u, side, corner):
        b = np.zeros(s.shape)
        for k in range(4):
            m = side == k
            if np.any(m):
                b[m] = 0.7 * self.brush[k](s[m] * 3.0, u[m]) + 0.3 * self.brush2[k](s[m] * 3.0, u[m])
        t = np.clip(0.55 + 0.2 * b, 0, 1)
        rgb = mix((128, 132, 138), (206, 210, 216), t)
        rgb = rgb * np.where(s > 25.0, 0.45, 1.0)[..., None]   # dark inner lip
        return rgb

    def specular(self, s, u, side):
        return 0.45


class BlackGallery(FrameStyle):
    """03: plain satin-black gallery frame with a thin white mat line inside."""
    ambient = 0.45
    shininess = 40.0
    mitre_line = 0.75

    def __init__(self):
        super().__init__({"left": 32, "top": 32, "right": 32, "bottom": 32, "period": 128})
        rng = np.random.default_rng(1003)
        self.grain = [Texture(periodic_noise(rng, 32, 128, 0.6, 12.0)) for _ in range(4)]

    def height(self, s, u, side):
        h = bead(s, 2.5, 2.5, 2.0) * (s < 2.5) + np.where(s >= 2.5, 2.0, 0.0)
        h = np.where(s > 25.0, ramp(s, 25.0, 26.5, 2.0, 0.3), h)  # step down to the mat
        h = np.where(s > 26.5, 0.3, h)
        h = np.where(s > 31.0, ramp(s, 31.0, 32.0, 0.3, 0.0), h)
        return h

    def albedo(self, s, u, side, corner):
        g = np.zeros(s.shape)
        for k in range(4):
            m = side == k
            if np.any(m):
                g[m] = self.grain[k](s[m], u[m])
        black = mix((16, 16, 18), (30, 30, 33), np.clip(0.5 + 0.25 * g, 0, 1))
        white = colour((246, 245, 240), s.shape)
        mat = ((s > 26.0) & (s <= 32.0))[..., None]
        return np.where(mat, white, black)

    def specular(self, s, u, side):
        return np.where(s > 26.0, 0.02, 0.16)


class Antique(FrameStyle):
    """04: ornate antique bronze-gold: corner blocks with rosettes, egg-and-dart, pearls, dark patina in
    the recesses. Draws with the four ornaments."""
    ambient = 0.28
    shininess = 12.0
    sheen_colour = (1.0, 0.88, 0.62)
    mitre_line = 1.0
    T = 60

    def __init__(self):
        super().__init__({"left": 60, "top": 60, "right": 60, "bottom": 60, "period": 128})
        rng = np.random.default_rng(1004)
        self.patina = [Texture(periodic_noise(rng, 60, 128, 2.0, 4.0)) for _ in range(5)]
        self.speck = [Texture(periodic_noise(rng, 60, 128, 0.5, 0.5)) for _ in range(5)]

    def height(self, s, u, side):
        # outer torus
        h = bead(s, 5.0, 5.0, 6.0)
        # a fillet then the egg-and-dart band (period 32) from 11 to 27
        h = np.where((s >= 10.0) & (s < 11.0), 3.0, h)
        up = np.mod(u, 32.0) - 16.0
        eggs = 5.0 * np.sqrt(np.clip(1.0 - ((s - 19.0) / 7.0) ** 2 - (up / 11.0) ** 2, 0.0, 1.0))
        dart = 3.0 * np.clip(1.0 - np.abs(np.abs(up) - 16.0) / 2.0 - np.abs(s - 19.0) / 9.0, 0.0, 1.0)
        h = np.where((s >= 11.0) & (s < 27.0), 1.0 + eggs + dart, h)
        # raised flat with a scotia, then pearls (period 8) and the sight edge
        sc = 5.0 - 4.0 * np.sin(np.pi * np.clip((s - 27.0) / 16.0, 0, 1))
        h = np.where((s >= 27.0) & (s < 43.0), sc, h)
        h = np.where((s >= 43.0) & (s < 47.0), ramp(s, 43.0, 47.0, 5.0, 7.0), h)
        upp = np.mod(u, 8.0) - 4.0
        pearl = 3.0 * np.sqrt(np.clip(1.0 - ((s - 51.0) / 3.8) ** 2 - (upp / 3.8) ** 2, 0.0, 1.0))
        h = np.where((s >= 47.0) & (s < 55.0), 5.0 + pearl, h)
        h = np.where(s >= 55.0, ramp(s, 55.0, 60.0, 5.0, 0.0), h)
        return h

    def albedo(self, s, u, side, corner):
        pat = np.zeros(s.shape)
        spk = np.zeros(s.shape)
        for k in range(4):
            m = side == k
            if np.any(m):
                pat[m] = self.patina[k](s[m], u[m])
                spk[m] = self.speck[k](s[m], u[m])
        return antique_albedo(self.height(s, u, side), pat, spk)

    def specular(self, s, u, side):
        return 0.4

    # Corner blocks: a square plate with a raised border and a rosette in the middle.
    def block_field(self, name):
        T = self.T
        rng_ix = PIECES.index(name) % 4

        def field(X, Y):
            d_edge = np.minimum(np.minimum(X, T - X), np.minimum(Y, T - Y))
            h = np.where(d_edge < 6.0, bead(d_edge, 5.0, 5.0, 6.0), 3.0)
            h = np.where((d_edge >= 6.0) & (d_edge < 9.0), ramp(d_edge, 6.0, 9.0, 5.0, 2.0), h)
            cx = cy = T / 2.0
            rose = rosette(X - cx, Y - cy, 20.0, 8, 7.0)
            h = np.maximum(h, 2.0 + rose)
            pat = self.patina[4](Y, X + rng_ix * 17)
            spk = self.speck[4](Y, X + rng_ix * 17)
            return {"h": h, "rgb": antique_albedo(h, pat, spk), "sheen": 0.4}
        return field

    def piece(self, name):
        if name in ("top_left", "top_right", "bottom_left", "bottom_right"):
            return render(self.T, self.T, self.block_field(name), self.ambient, 0.0, self.shininess, self.sheen_colour)
        return super().piece(name)


def antique_albedo(h, pat, spk):
    # Bronze gilt with dark patina settled into the low parts and a little wear on the high points.
    t = np.clip(0.5 + 0.18 * pat, 0, 1)
    base = mix((118, 82, 34), (196, 150, 70), t)
    low = np.clip(1.0 - h / 6.0, 0.0, 1.0)
    grime = colour((48, 38, 22), low.shape)
    w = np.clip(0.75 * low ** 1.3, 0, 1)[..., None]
    rgb = base * (1 - w) + grime * w
    rgb = rgb * (1.0 + 0.06 * np.clip(spk, -2, 2))[..., None]
    return np.clip(rgb, 0, 1)


def rosette(dx, dy, R, petals, hmax):
    """Relief of a carved rosette: a ring of rounded, veined petals around a domed boss. Zero outside
    the petal outline."""
    r = np.sqrt(dx * dx + dy * dy)
    th = np.arctan2(dy, dx)
    wave = np.abs(np.cos(petals * th / 2.0))
    edge = R * (0.66 + 0.34 * wave ** 0.5)
    # each petal is a dome that is highest a little way out from the boss, with a groove down its middle
    q = np.clip(r / edge, 0.0, 1.0)
    petal = hmax * 0.75 * np.sqrt(np.clip(1.0 - q ** 2, 0.0, 1.0)) * (0.55 + 0.45 * np.sin(np.pi * np.clip(q * 1.1, 0, 1)))
    groove = 0.08 * hmax * wave ** 24 * q
    petal = np.where(r < edge, petal - groove, 0.0)
    boss_r = R * 0.3
    boss = hmax * np.sqrt(np.clip(1.0 - (r / boss_r) ** 2, 0.0, 1.0))
    return np.maximum(petal, boss)


class Oak(FrameStyle):
    """05: light natural oak, a simple rounded profile with a small inner step; open grain and rays."""
    ambient = 0.40
    shininess = 10.0
    mitre_line = 0.78

    def __init__(self):
        super().__init__({"left": 40, "top": 40, "right": 40, "bottom": 40, "period": 128})
        rng = np.random.default_rng(1005)
        self.warp = [Texture(periodic_noise(rng, 40, 128, 7.0, 1e6) + 0.3 * periodic_noise(rng, 40, 128, 8.0, 40.0))
                     for _ in range(4)]
        self.fibre = [Texture(periodic_noise(rng, 40, 128, 0.5, 14.0)) for _ in range(4)]
        self.pore = [Texture(periodic_noise(rng, 40, 128, 0.4, 3.0)) for _ in range(4)]
        self.ray = [Texture(periodic_noise(rng, 40, 128, 1.2, 1.5)) for _ in range(4)]

    def height(self, s, u, side):
        h = soft_ramp(s, 0.0, 8.0, 0.0, 6.0)
        h = h + 0.6 * np.sin(np.pi * np.clip((s - 8.0) / 24.0, 0, 1))
        h = np.where(s > 32.0, ramp(s, 32.0, 33.5, 6.0, 3.0), h)
        h = np.where(s > 33.5, ramp(s, 33.5, 40.0, 3.0, 2.0), h)
        return h

    def albedo(self, s, u, side, corner):
        rings = np.zeros(s.shape)
        fib = np.zeros(s.shape)
        pore = np.zeros(s.shape)
        ray = np.zeros(s.shape)
        for k in range(4):
            m = side == k
            if not np.any(m):
                continue
            w = self.warp[k](s[m], u[m])
            rings[m] = 0.5 + 0.5 * np.sin(2 * np.pi * (s[m] / 11.0 + 0.7 * w))
            fib[m] = self.fibre[k](s[m], u[m])
            pore[m] = self.pore[k](s[m], u[m])
            ray[m] = self.ray[k](s[m], u[m])
        t = np.clip(0.45 + 0.35 * (rings ** 3) + 0.1 * fib, 0, 1)
        rgb = mix((214, 178, 126), (178, 132, 80), t)
        rgb = rgb * (1.0 - 0.18 * (pore > 1.9))[..., None]
        rgb = rgb * (1.0 + 0.07 * (ray > 2.2))[..., None]
        rgb = rgb * np.where(s > 32.0, 0.82, 1.0)[..., None]
        return np.clip(rgb, 0, 1)

    def specular(self, s, u, side):
        return 0.06


class PassePartout(FrameStyle):
    """06: a wide ivory mat with a bevelled window, held by a thin dark wood frame."""
    ambient = 0.5
    shininess = 20.0
    mitre_line = 0.8

    def __init__(self):
        super().__init__({"left": 84, "top": 84, "right": 84, "bottom": 84, "period": 128})
        rng = np.random.default_rng(1006)
        self.paper = [Texture(periodic_noise(rng, 84, 128, 1.2, 1.2)) for _ in range(4)]
        self.wood = [Texture(periodic_noise(rng, 84, 128, 0.6, 14.0)) for _ in range(4)]

    def joint_weight(self, s):
        return (s < 12.0).astype(np.float64)     # the mat is one sheet: only the wood is mitred

    def height(self, s, u, side):
        h = np.where(s < 12.0, bead(s, 6.0, 6.0, 5.0), 0.0)    # slim round frame
        h = np.where((s >= 12.0) & (s < 14.0), ramp(s, 12.0, 14.0, 0.0, 1.0), h)
        h = np.where(s >= 14.0, 1.0, h)                        # the mat board
        h = np.where(s >= 79.0, ramp(s, 79.0, 84.0, 1.0, -1.5), h)   # bevelled window cut
        return h

    def albedo(self, s, u, side, corner):
        p = np.zeros(s.shape)
        w = np.zeros(s.shape)
        for k in range(4):
            m = side == k
            if np.any(m):
                p[m] = self.paper[k](s[m], u[m])
                w[m] = self.wood[k](s[m], u[m])
        frame = mix((26, 20, 17), (52, 40, 32), np.clip(0.5 + 0.3 * w, 0, 1))
        mat = colour((236, 231, 216), s.shape) * (1.0 + 0.008 * np.clip(p, -2.5, 2.5))[..., None]
        shadow = 1.0 - 0.22 * np.exp(-np.clip(s - 14.0, 0, None) / 2.2)   # the frame's lip shades the mat
        mat = mat * shadow[..., None]
        core = colour((252, 251, 246), s.shape)
        rgb = np.where((s < 12.0)[..., None], frame, np.where((s >= 79.0)[..., None], core, mat))
        return np.clip(rgb, 0, 1)

    def specular(self, s, u, side):
        return np.where(s < 12.0, 0.18, 0.0)


class FilmStrip(FrameStyle):
    """07: a strip of negative film: sprocket holes along top and bottom, edge lettering, narrow gaps
    left and right."""
    ambient = 0.6
    shininess = 30.0
    mitre_line = 1.0

    def __init__(self):
        super().__init__({"left": 16, "top": 46, "right": 16, "bottom": 46, "period": 96})
        rng = np.random.default_rng(1007)
        self.base = [Texture(periodic_noise(rng, 46, 96, 1.0, 1.0)) for _ in range(4)]
        self.text = film_lettering()

    def height(self, s, u, side):
        return np.zeros(s.shape)

    def albedo(self, s, u, side, corner):
        n = np.zeros(s.shape)
        for k in range(4):
            m = side == k
            if np.any(m):
                n[m] = self.base[k](s[m], u[m])
        base = mix((20, 17, 15), (34, 29, 25), np.clip(0.5 + 0.2 * n, 0, 1))
        if corner:
            return base
        horiz = (side == TOP) | (side == BOTTOM)
        # sprocket holes, 4 per tile (period 24): 14 x 10 px, rounded corners, 8 px in from the edge
        up = np.mod(u, 24.0) - 12.0
        ds = s - 13.0
        qx = np.maximum(np.abs(up) - 7.0 + 2.0, 0.0)
        qy = np.maximum(np.abs(ds) - 5.0 + 2.0, 0.0)
        dist = np.sqrt(qx * qx + qy * qy) - 2.0
        hole = np.clip(0.5 - dist * 3.0, 0.0, 1.0) * horiz
        lit = colour((232, 230, 222), s.shape)
        rgb = base * (1 - hole[..., None]) + lit * hole[..., None]
        # edge lettering along the bottom, between the holes and the picture, period 96
        txt = self.text(37.0 - s, u) * (side == BOTTOM) * ((s >= 27.0) & (s < 37.0))
        amber = colour((226, 142, 40), s.shape)
        rgb = rgb * (1 - txt[..., None]) + amber * txt[..., None]
        # the picture area starts with a thin dark rim
        rgb = rgb * np.where(s > 44.0, 0.8, 1.0)[..., None]
        return rgb

    def specular(self, s, u, side):
        return 0.05


def film_lettering():
    """A 10 x 96 px tile of edge lettering drawn with a tiny built-in 3x5 font."""
    glyphs = {
        "L": ["100", "100", "100", "100", "111"], "U": ["101", "101", "101", "101", "111"],
        "M": ["101", "111", "111", "101", "101"], "O": ["111", "101", "101", "101", "111"],
        "R": ["110", "101", "110", "101", "101"], "A": ["010", "101", "111", "101", "101"],
        "4": ["101", "101", "111", "001", "001"], "0": ["111", "101", "101", "101", "111"],
        " ": ["000"] * 5, ">": ["100", "010", "001", "010", "100"], "2": ["111", "001", "111", "100", "111"],
        "1": ["010", "110", "010", "010", "111"],
    }
    tile = np.zeros((10, 96))
    text = "LUMORA 400 > 12"
    x = 4
    for ch in text:
        g = glyphs[ch]
        for r, row in enumerate(g):
            for c, bit in enumerate(row):
                if bit == "1":
                    tile[r * 2:r * 2 + 2, x + c * 2:x + c * 2 + 2] = 1.0
        x += 8 if ch != " " else 5
        if x > 92:
            break
    tex = Texture(tile)
    return lambda s, u: np.clip(tex(s, u) * 1.2, 0, 1)


# ----------------------------------------------------------------------------------------------
# Ornaments for style 04
# ----------------------------------------------------------------------------------------------

ORN_W, ORN_H = 88, 128    # same size for all four; the composer uses width(left_top) for both sides


def tube(X, Y, path, widths, heights):
    """Relief of a rounded tapering stroke: the union of domes of the given radii and heights centred on
    the points of `path` (a dense polyline)."""
    h = np.zeros(X.shape)
    for (px, py), w, hh in zip(path, widths, heights):
        d2 = ((X - px) ** 2 + (Y - py) ** 2) / (w * w)
        h = np.maximum(h, hh * np.sqrt(np.clip(1.0 - d2, 0.0, 1.0)))
    return h


def scroll_path(cx, cy, sgn):
    """Centre line of an acanthus scroll leaving the rosette at (cx, cy) upwards (sgn = -1) or downwards
    (sgn = 1): it sweeps out along the frame and ends in a volute curling back towards the picture.
    Returns points, half-widths and heights."""
    pts, ws, hs = [], [], []
    n = 48
    for i in range(n):
        t = i / (n - 1)
        y = cy + sgn * (24.0 + 28.0 * t)
        x = cx - 14.0 - 14.0 * math.sin(math.pi * 0.5 * t)
        lobe = 1.0 + 0.12 * math.sin(2 * math.pi * 2.0 * t)
        pts.append((x, y))
        ws.append((6.0 - 3.0 * t) * lobe)
        hs.append(4.5 - 1.0 * t)
    # the volute: a shrinking turn around a point just beyond the sweep's end
    ex, ey = pts[-1]
    ox, oy = ex + 6.0, ey
    for i in range(1, 40):
        t = i / 39
        ang = math.pi + sgn * (-1.5 * math.pi * t)
        r = 6.0 * (1.0 - 0.55 * t)
        pts.append((ox + r * math.cos(ang), oy + r * math.sin(ang) * -sgn))
        ws.append(3.8 * (1.0 - 0.45 * t))
        hs.append(3.5)
    return pts, ws, hs


def ornament(which, style):
    """A carved panel set into the left or right side of the antique frame just below or above a
    corner block: a bead-edged panel across the moulding, a large rosette on its inner edge that
    reaches over the picture, and an acanthus scroll above and below it. Opaque across the frame
    side (no side tiles lie under the top two), and beyond it only where the carving is."""
    T = style.T
    right = which.startswith("right")
    bottom = which.endswith("bottom")

    def field(X, Y):
        xo = (ORN_W - X) if right else X            # measured from the frame's outer edge
        yo = (ORN_H - Y) if bottom else Y            # the scrolls open away from the nearest corner
        inside = xo < T
        # panel with a raised bead border, like the corner blocks
        d_edge = np.minimum(np.minimum(xo, T - xo), np.minimum(yo, ORN_H - yo))
        panel = np.where(d_edge < 6.0, bead(d_edge, 5.0, 5.0, 6.0), 3.0)
        panel = np.where((d_edge >= 6.0) & (d_edge < 9.0), ramp(d_edge, 6.0, 9.0, 5.0, 2.0), panel)
        cx, cy = T - 6.0, ORN_H / 2.0 + 6.0
        dx, dy = xo - cx, yo - cy
        carving = np.zeros(X.shape)
        for sgn in (-1.0, 1.0):
            pts, ws, hs = scroll_path(cx, cy, sgn)
            carving = np.maximum(carving, tube(xo, yo, pts, ws, hs))
        R = 28.0
        outer = rosette(dx, dy, R, 10, 8.0)
        c, sn = math.cos(math.pi / 12), math.sin(math.pi / 12)
        inner = rosette(dx * c - dy * sn, dx * sn + dy * c, R * 0.6, 6, 11.0)
        rose = np.where(rose_outline(dx, dy, R, 10), np.maximum(outer, inner), 0.0)
        relief = np.maximum(carving, rose)
        drawn = relief > 0
        h = np.where(drawn, 2.5 + relief, np.where(inside, panel, 0.0))
        cover = np.where(inside | drawn, 1.0, 0.0)
        pat = style.patina[4](xo + (3 if right else 0), yo + (21 if bottom else 0))
        spk = style.speck[4](xo, yo)
        rgb = antique_albedo(h - 2.0 * drawn, pat, spk)
        return {"h": h, "rgb": rgb, "a": cover, "sheen": 0.4}

    return render(ORN_W, ORN_H, field, style.ambient, 0.0, style.shininess, style.sheen_colour)


def rose_outline(dx, dy, R, petals):
    r = np.sqrt(dx * dx + dy * dy)
    th = np.arctan2(dy, dx)
    edge = R * (0.66 + 0.34 * np.abs(np.cos(petals * th / 2.0)) ** 0.5)
    return r < edge


# ----------------------------------------------------------------------------------------------
# Shadow styles 08-15
# ----------------------------------------------------------------------------------------------

class Shadow:
    """A soft shadow of the photo. Each shadowed side has a profile: alpha at distance d beyond the
    photo edge = sum of strength * Phi((offset - d) / sigma) over its components (a short dark contact
    part plus a long faint tail reads as a soft shadow). A side without a shadow gets a thin
    transparent strip of `thin` pixels.

    Corners where two shadowed sides meet: the right strip runs down through the bottom-right corner
    and the bottom strip runs across it, so there the two always overlap (and darken each other). The
    other corners are drawn as the rounded corner of a blurred offset rectangle (`corners="round"`),
    as far as the strips already under a corner allow, or as the same overlap as the bottom-right one
    (`corners="cross"`) for the all-round glows, so that their four corners match. A corner next to an unshadowed side fades the
    strip out across that side's thin strip (or stops it there, for a hard shadow)."""

    def __init__(self, sides, rgb=(0, 0, 0), thin=5, hard=False, corners="round"):
        self.sides = sides            # dict side -> list of (strength, offset, sigma)
        self.rgb = rgb
        self.thin = thin
        self.hard = hard
        self.corners = corners
        self.th = {}
        for k in (TOP, BOTTOM, LEFT, RIGHT):
            comps = sides.get(k)
            if comps is None:
                base = thin
            else:
                base = int(math.ceil(max(max(o, 0.0) + 3.0 * sg for _, o, sg in comps)))
            # right and bottom pieces overlap the photo by two pixels
            self.th[k] = base + (2 if k in (RIGHT, BOTTOM) else 0)
        self.period = 128

    def profile(self, k, d):
        """Alpha of side k's strip at distance d beyond the photo edge (0 over the photo itself)."""
        comps = self.sides.get(k)
        d = np.asarray(d, dtype=np.float64)
        if comps is None:
            return np.zeros(d.shape)
        a = np.zeros(d.shape)
        for strength, offset, sigma in comps:
            a = a + strength * phi((offset - d) / sigma)
        # nothing beyond the piece's outer edge anyway; make the last pixels reach zero cleanly
        a = a * (1.0 - smoothstep(self.th_out(k) - 3.0, self.th_out(k), d))
        return np.where(d < 0, 0.0, np.clip(a, 0.0, 1.0))

    def th_out(self, k):
        return self.th[k] - (2 if k in (RIGHT, BOTTOM) else 0)

    def fade(self, k, d):
        """Fade-out across an unshadowed side k's strip: 1 at the photo edge, 0 at the outer edge."""
        if self.hard:
            return np.zeros(np.shape(d))
        t = np.clip(d / self.th_out(k), 0.0, 1.0)
        return 0.5 * (1.0 + np.cos(np.pi * t))

    def corner(self, kv, dv, kh, dh):
        """Target alpha at a corner: kv/dv the vertical side (left/right) and the distance beyond it,
        kh/dh the horizontal side (top/bottom) and the distance beyond that."""
        has_v = self.sides.get(kv) is not None
        has_h = self.sides.get(kh) is not None
        av, ah = self.profile(kv, dv), self.profile(kh, dh)
        if has_v and has_h:
            if self.corners == "round":
                peak = max(self.profile(kv, np.array(0.0)).item(), self.profile(kh, np.array(0.0)).item(), 1e-6)
                return av * ah / peak
            return 1.0 - (1.0 - av) * (1.0 - ah)
        if has_v:
            return av * np.where(dh < 0, 1.0, self.fade(kh, dh))
        if has_h:
            return ah * np.where(dv < 0, 1.0, self.fade(kv, dv))
        return np.zeros(np.shape(dv))

    def pieces(self):
        tl, tt, tr, tb, P = self.th[LEFT], self.th[TOP], self.th[RIGHT], self.th[BOTTOM], self.period
        out = {}

        def grid(w, h):
            return np.meshgrid(np.arange(w) + 0.5, np.arange(h) + 0.5)

        # Distances beyond the photo edge for each piece's pixels. Right and bottom pieces start two
        # pixels inside the photo.
        X, Y = grid(P, tt)
        out["top_middle"] = self.profile(TOP, tt - Y)
        X, Y = grid(P, tb)
        out["bottom_middle"] = self.profile(BOTTOM, Y - 2.0)
        X, Y = grid(tl, P)
        out["left"] = self.profile(LEFT, tl - X)
        X, Y = grid(tr, P)
        out["right"] = self.profile(RIGHT, X - 2.0)

        X, Y = grid(tl, tt)
        out["top_left"] = self.corner(LEFT, tl - X, TOP, tt - Y)                     # nothing under it
        X, Y = grid(tr, tt)
        target = self.corner(RIGHT, X - 2.0, TOP, tt - Y)
        out["top_right"] = self.subtract(target, self.profile(TOP, tt - Y))          # top strip under it
        X, Y = grid(tl, tb)
        target = self.corner(LEFT, tl - X, BOTTOM, Y - 2.0)
        out["bottom_left"] = self.subtract(target, self.profile(LEFT, tl - X))       # left strip under it
        X, Y = grid(tr, tb)
        target = self.corner(RIGHT, X - 2.0, BOTTOM, Y - 2.0)
        under = 1.0 - (1.0 - self.profile(RIGHT, X - 2.0)) * (1.0 - self.profile(BOTTOM, Y - 2.0))
        out["bottom_right"] = self.subtract(target, under)                            # both strips under it

        result = {}
        for name, alpha in out.items():
            a = np.clip(np.rint(alpha * 255.0), 0, 255).astype(np.uint8)
            rgba = np.zeros(a.shape + (4,), dtype=np.uint8)
            rgba[..., 0], rgba[..., 1], rgba[..., 2] = self.rgb
            rgba[..., 3] = a
            result[name] = rgba
        return result

    @staticmethod
    def subtract(target, under):
        """Alpha a piece needs so that, drawn over `under`, the result is `target` (never below zero:
        drawing over cannot take shadow away)."""
        return np.clip((target - under) / np.maximum(1.0 - under, 1e-6), 0.0, 1.0)


def soft(contact, tail, reach):
    """A shadow profile: a dark contact band close to the photo and a faint tail reaching `reach` px."""
    return [(contact, 0.0, 2.0), (tail, reach * 0.35, reach * 0.22)]


SHADOWS = [
    # 08 bottom right, short
    Shadow({RIGHT: [(0.5, 10.0, 4.0)], BOTTOM: [(0.5, 10.0, 4.0)]}),
    # 09 bottom right, long and soft
    Shadow({RIGHT: [(0.4, 24.0, 10.0)], BOTTOM: [(0.4, 24.0, 10.0)]}),
    # 10 bottom left
    Shadow({LEFT: [(0.5, 16.0, 6.0)], BOTTOM: [(0.5, 16.0, 6.0)]}),
    # 11 soft glow all round
    Shadow({k: [(0.42, 1.0, 7.0)] for k in (TOP, BOTTOM, LEFT, RIGHT)}, corners="cross"),
    # 12 top left
    Shadow({LEFT: [(0.5, 16.0, 6.0)], TOP: [(0.5, 16.0, 6.0)]}),
    # 13 bottom only: the photo floats above the page
    Shadow({BOTTOM: [(0.5, 14.0, 8.0)]}),
    # 14 hard short shadow, bottom right
    Shadow({RIGHT: [(0.85, 9.0, 0.5)], BOTTOM: [(0.85, 9.0, 0.5)]}, hard=True),
    # 15 deep blue glow all round
    Shadow({k: [(0.65, 3.0, 8.0)] for k in (TOP, BOTTOM, LEFT, RIGHT)}, rgb=(16, 40, 112), corners="cross"),
]


# ----------------------------------------------------------------------------------------------
# Masks 0-7
# ----------------------------------------------------------------------------------------------

MW, MH = 800, 600


def seg_distance(px, py, poly):
    """Signed distance from points to a closed polygon (negative inside)."""
    d2 = np.full(px.shape, np.inf)
    inside = np.zeros(px.shape, dtype=bool)
    n = len(poly)
    for i in range(n):
        ax, ay = poly[i]
        bx, by = poly[(i + 1) % n]
        ex, ey = bx - ax, by - ay
        wx, wy = px - ax, py - ay
        ll = ex * ex + ey * ey
        t = np.clip((wx * ex + wy * ey) / ll, 0.0, 1.0) if ll > 0 else np.zeros(px.shape)
        qx, qy = wx - ex * t, wy - ey * t
        d2 = np.minimum(d2, qx * qx + qy * qy)
        # crossing number
        cond = ((ay > py) != (by > py))
        xint = ax + (py - ay) * ex / np.where(ey == 0, 1e-12, ey)
        inside ^= cond & (px < xint)
    d = np.sqrt(d2)
    return np.where(inside, -d, d)


def mask_grid():
    X, Y = np.meshgrid(np.arange(MW) + 0.5, np.arange(MH) + 0.5)
    return X, Y


FRINGE = 1.5   # px of black anti-aliasing fringe outside the shape
GAP = 2.0      # px of clear black between that fringe and the first touch of the light colour


def make_mask(sd, rgb_out, soft, texture=None):
    """sd: signed distance in px, negative inside the shape.

    Inside: opaque exact black. Just outside, a fringe of black whose alpha falls from 255 to 0 over
    FRINGE px: it anti-aliases the black shape when the mask is drawn as it is, and, being exact
    black, it vanishes with the inside when black is see-through. After GAP px of clear black the
    light outside colour comes in, its alpha rising from 0 over `soft` px. So no pixel mixes black
    with the light colour: such a blend is a grey that survives as a dark ring. Even when the mask is
    stretched (neighbouring pixels interpolated, alpha not premultiplied), visible black only ever
    meets black, and the light colour meets clear black only where it is itself nearly clear."""
    fringe_a = 1.0 - smoothstep(0.0, FRINGE, sd)
    light_a = smoothstep(FRINGE + GAP, FRINGE + GAP + soft, sd)
    out = np.broadcast_to(np.asarray(rgb_out, dtype=np.float64), (MH, MW, 3)).copy()
    if texture is not None:
        out = out * texture[..., None]
    out = np.clip(np.rint(out), 1, 255).astype(np.uint8)
    is_light = sd >= FRINGE + GAP
    rgba = np.zeros((MH, MW, 4), dtype=np.uint8)
    rgba[..., :3] = np.where(is_light[..., None], out, 0)
    alpha = np.where(sd <= 0, 1.0, np.where(is_light, light_a, fringe_a))
    rgba[..., 3] = np.clip(np.rint(alpha * 255.0), 0, 255).astype(np.uint8)
    return rgba


def polygon_from(fn, n):
    return [fn(2 * math.pi * i / n) for i in range(n)]


def masks():
    X, Y = mask_grid()
    cx, cy = MW / 2.0, MH / 2.0
    out = []

    # 0: oval vignette, wide soft fade into white
    ell = polygon_from(lambda t: (cx + 330 * math.cos(t), cy + 235 * math.sin(t)), 360)
    out.append(make_mask(seg_distance(X, Y, ell), (255, 255, 255), 70.0))

    # 1: circle on cream, medium soft edge
    r = 255.0
    out.append(make_mask(np.hypot(X - cx, Y - cy) - r, (246, 238, 220), 14.0))

    # 2: rounded rectangle on white, crisp edge
    hw, hh, rr = 330.0, 235.0, 60.0
    qx = np.abs(X - cx) - (hw - rr)
    qy = np.abs(Y - cy) - (hh - rr)
    sd = np.hypot(np.maximum(qx, 0), np.maximum(qy, 0)) + np.minimum(np.maximum(qx, qy), 0) - rr
    out.append(make_mask(sd, (250, 250, 250), 4.0))

    # 3: heart on soft pink
    def heart(t):
        x = 16 * math.sin(t) ** 3
        y = 13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)
        return (cx + 15.5 * x, cy + 20 - 15.5 * y)
    out.append(make_mask(seg_distance(X, Y, polygon_from(heart, 400)), (250, 218, 226), 6.0))

    # 4: five-pointed star on pale sky blue
    star = []
    for i in range(10):
        ang = -math.pi / 2 + i * math.pi / 5
        rad = 285.0 if i % 2 == 0 else 118.0
        star.append((cx + rad * math.cos(ang), cy + 25 + rad * math.sin(ang)))
    out.append(make_mask(seg_distance(X, Y, star), (214, 230, 246), 4.0))

    # 5: diamond (rhombus) on light lavender grey
    dia = [(cx, cy - 280), (cx + 370, cy), (cx, cy + 280), (cx - 370, cy)]
    out.append(make_mask(seg_distance(X, Y, dia), (232, 228, 240), 5.0))

    # 6: cloud on pale blue, made of overlapping circles (union: the smallest distance)
    circles = [(-230, 40, 110), (-120, -40, 140), (20, -90, 165), (160, -30, 140), (250, 50, 105),
               (120, 90, 120), (-40, 85, 135), (-180, 100, 95)]
    sd = np.full(X.shape, np.inf)
    for ox, oy, rad in circles:
        sd = np.minimum(sd, np.hypot(X - (cx + ox), Y - (cy + oy)) - rad)
    out.append(make_mask(sd, (226, 238, 250), 10.0))

    # 7: torn paper: a ragged-edged sheet opening on off-white paper with a faint fibre texture
    rng = np.random.default_rng(2007)
    pts = []
    x0, y0, x1, y1 = 70.0, 60.0, MW - 70.0, MH - 60.0

    def rough(n, scale):
        # fractal wobble: sum of random walks at a few scales
        v = np.zeros(n)
        for amp, step in ((scale, 40), (scale * 0.5, 12), (scale * 0.25, 4)):
            k = n // step + 2
            pts_ = rng.uniform(-amp, amp, k)
            v += np.interp(np.arange(n), np.arange(k) * step, pts_)
        return v
    nx, ny = int(x1 - x0), int(y1 - y0)
    top = rough(nx, 10.0)
    right = rough(ny, 10.0)
    bottom = rough(nx, 10.0)
    left = rough(ny, 10.0)
    for i in range(0, nx, 2):
        pts.append((x0 + i, y0 + top[i]))
    for i in range(0, ny, 2):
        pts.append((x1 + right[i], y0 + i))
    for i in range(0, nx, 2):
        pts.append((x1 - i, y1 + bottom[i]))
    for i in range(0, ny, 2):
        pts.append((x0 + left[i], y1 - i))
    tex_rng = np.random.default_rng(2107)
    fib = periodic_noise(tex_rng, MH, MW, 0.8, 6.0)
    texture = 1.0 + 0.01 * np.clip(fib, -2.5, 2.5)
    out.append(make_mask(seg_distance(X, Y, pts), (242, 236, 222), 3.0, texture))
    return out


# ----------------------------------------------------------------------------------------------

FRAMES = [Walnut, Gilded, BrushedMetal, BlackGallery, Antique, Oak, PassePartout, FilmStrip]


def main():
    for i, cls in enumerate(FRAMES):
        style = cls()
        for name, arr in style.pieces().items():
            save_png(arr, os.path.join(OUT, "frames", "style%02d" % i, name + ".png"))
        if i == 4:
            for which in ("left_top", "right_top", "left_bottom", "right_bottom"):
                save_png(ornament(which, style), os.path.join(OUT, "ornaments", which + ".png"))
    for i, sh in enumerate(SHADOWS):
        for name, arr in sh.pieces().items():
            save_png(arr, os.path.join(OUT, "frames", "style%02d" % (i + 8), name + ".png"))
    for i, m in enumerate(masks()):
        save_png(m, os.path.join(OUT, "masks", "mask%d.png" % i))


if __name__ == "__main__":
    main()

# contrast.py SCALE BUTTONS.ppm ABOUT.ppm: every text of the window against its
# own background, measured as WCAG 2 does, in a photograph of the window with
# the buttons shown and one with the About panel. Prints the lowest contrast;
# fails under 4.5:1.
import re, sys

def load(path):
    data = open(path, "rb").read()
    m = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
    return int(m[1]), int(m[2]), data[m.end():]

def luminance(rgb):
    c = [v / 255 for v in rgb]
    c = [v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4 for v in c]
    return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2]

def ratio(a, b):
    la, lb = sorted((luminance(a), luminance(b)))
    return (lb + 0.05) / (la + 0.05)

scale = float(sys.argv[1])
worst = (99, "")

def region(image, box, name):  # box in the drawing area's pixels; None for the menu bar
    global worst
    w, h, px = image
    top = h - round(533 * scale)
    x0, y0, x1, y1 = (0, 0, w, top) if box is None else (
        round(box[0] * scale), top + round(box[1] * scale),
        round((box[0] + box[2]) * scale), top + round((box[1] + box[3]) * scale))
    pixels = [tuple(px[3 * (y * w + x):3 * (y * w + x) + 3]) for y in range(y0, y1) for x in range(x0, x1)]
    ground = max(set(pixels), key=pixels.count)
    r = max(ratio(ground, p) for p in set(pixels))
    worst = min(worst, (r, name))

buttons, about = load(sys.argv[2]), load(sys.argv[3])
region(buttons, None, "the menu bar")
for name, y in (("Reset World", 40), ("Create Regular World", 104), ("Create Rainbow World", 168),
                ("Create Spiral World", 240)):
    region(buttons, (22, y + 5, 77, 23), name)
region(about, (16, 32, 137, 81), "the About text")
print(f"    lowest contrast {worst[0]:.1f}:1, {worst[1]}")
sys.exit(worst[0] < 4.5)

# contrast.py SCALE BUTTONS.ppm ABOUT.ppm: every text of the window against its
# own background, measured as WCAG 2 does, in a photograph of the window with
# the buttons shown and one with the About panel. Prints the lowest contrast;
# fails under 4.5:1, or when the About panel's green is not there.
import re, sys

def load(path):
    data = open(path, "rb").read()
    m = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
    return int(m[1]), int(m[2]), data[m.end():]

def luminance(rgb):
    linear = [v / 255 / 12.92 if v <= 10 else ((v / 255 + 0.055) / 1.055) ** 2.4 for v in rgb]
    return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]

def ratio(a, b):
    la, lb = sorted((luminance(a), luminance(b)))
    return (lb + 0.05) / (la + 0.05)

def contrast(image, box):  # box: x, y, w, h in the drawing area's pixels; None: the menu bar
    w, h, px = image
    top = h - round(533 * scale)
    x, y, bw, bh = box or (0, -top / scale, w / scale, top / scale)
    x0, y0, x1, y1 = [round(v * scale) for v in (x, y, x + bw, y + bh)]
    y0, y1 = y0 + top, y1 + top
    pixels = [tuple(px[3 * (y * w + x):3 * (y * w + x) + 3]) for y in range(y0, y1) for x in range(x0, x1)]
    ground = max(set(pixels), key=pixels.count)  # the background; the text, what stands out most
    return max(ratio(ground, p) for p in set(pixels))

scale, buttons, about = float(sys.argv[1]), load(sys.argv[2]), load(sys.argv[3])
texts = [(contrast(buttons, (22, y + 5, 77, 23)), name) for name, y in (("Reset World", 40),
         ("Create Regular World", 104), ("Create Rainbow World", 168), ("Create Spiral World", 240))]
texts += [(contrast(buttons, None), "the menu bar"), (contrast(about, (16, 32, 137, 81)), "About")]
print("    lowest contrast %.1f:1, %s" % min(texts))
w, h, px = about
at = 3 * ((h - round(423 * scale)) * w + round(18 * scale))  # low in the About text's left margin
sys.exit(min(texts)[0] < 4.5 or px[at:at + 3] != b"\0\xff\0")

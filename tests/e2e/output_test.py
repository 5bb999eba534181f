#!/usr/bin/env python3
"""Saving and printing from the real window: Ctrl+S and Options > Save
Pattern write pattern1.bmp and pattern2.bmp holding the drawing, and
Ctrl+P sends one page to the spooler's PDF printer, with no message box.

usage: output_test.py PATH/TO/plexaro PDF_DIR
(run by output_test.sh, which starts a private spooler first)
"""

import glob
import os
import struct
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree clean

import harness
from harness import AREA_H, AREA_W, BLACK, UNDER_BUTTONS


def read_bmp(path):
    """(width, height, bits, pixels row by row from the top) of an uncompressed BMP."""
    with open(path, "rb") as f:
        data = f.read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if compression != 0 or bits != 24:
        return width, height, bits, None
    stride = (width * 3 + 3) & ~3
    pixels = []
    for y in range(abs(height)):
        row = offset + (abs(height) - 1 - y if height > 0 else y) * stride
        for x in range(width):
            b, g, r = data[row + 3 * x:row + 3 * x + 3]
            pixels.append((r << 16) | (g << 8) | b)
    return width, height, bits, pixels


def wait_for(predicate, timeout=15):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = predicate()
        if found:
            return found
        time.sleep(0.1)
    return None


def message_boxes(s):
    """Windows titled just "Plexaro": the caption of the program's messages."""
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Plexaro$"], env=s.env,
                          capture_output=True, text=True).stdout.split()


def run(s, pdf_dir):
    f = s.failures
    saved = lambda name: os.path.exists(os.path.join(s.tmp, name))

    def check_file(name, drawing):
        f.check(wait_for(lambda: saved(name)), name + " was not written")
        width, height, bits, pixels = read_bmp(os.path.join(s.tmp, name))
        f.check((width, height, bits) == (AREA_W, AREA_H, 24),
                "%s is %dx%d at %d bits, not 503x533 at 24" % (name, width, height, bits))
        if pixels:
            bad = sum(1 for i, p in enumerate(pixels)
                      if p != drawing.pixels[i] and not UNDER_BUTTONS[i])
            f.check(bad == 0, "%s differs from the drawing in %d pixels" % (name, bad))

    # Ctrl+S after a world: pattern1.bmp; a second Ctrl+S does nothing, since
    # the item stays off until the next world.
    s.click_button("regular")
    drawing, _ = s.wait_for_area(lambda im: None if im.at(AREA_W // 2, AREA_H // 2) != BLACK
                                 else "no world yet")
    s.xdotool("key", "ctrl+s")
    check_file("pattern1.bmp", drawing)
    s.xdotool("key", "ctrl+s")
    time.sleep(0.5)
    f.check(not saved("pattern2.bmp"), "a second save without a new world wrote a file")

    # A new world, then Options > Save Pattern with the mouse and the mnemonic.
    s.click_button("spiral")
    drawing, _ = s.wait_for_area(lambda im: None if im.at(AREA_W // 2 + 1, AREA_H // 2) != 0
                                 and not same(im, drawing) else "no new world yet")
    s.click_window(*s.menu_titles()[0])
    time.sleep(0.5)
    s.xdotool("key", "s")
    check_file("pattern2.bmp", drawing)

    # Ctrl+P: one new PDF from the spooler's PDF printer, and no message.
    before = set(glob.glob(os.path.join(pdf_dir, "*.pdf")))
    s.xdotool("key", "ctrl+p")
    pdfs = wait_for(lambda: set(glob.glob(os.path.join(pdf_dir, "*.pdf"))) - before, 60)
    f.check(pdfs and len(pdfs) == 1, "expected one new PDF, got %s" % sorted(pdfs or []))
    f.check(not message_boxes(s), "printing showed a message")
    if pdfs:
        pdf = pdfs.pop()
        time.sleep(1)  # cups-pdf renames the file into place when it is complete
        page = subprocess.run(["pdftoppm", "-r", "36", "-gray", pdf], capture_output=True).stdout
        header, _, body = page.partition(b"\n255\n")
        dark = sum(1 for v in body if v < 128)
        f.check(dark > 0.2 * len(body), "the printed page shows no pattern (%d of %d dark)"
                % (dark, len(body)))
        os.remove(pdf)


def same(a, b):
    return all(p == q or u for p, q, u in zip(a.pixels, b.pixels, UNDER_BUTTONS))


if __name__ == "__main__":
    pdf_dir = sys.argv.pop()
    harness.main("output", lambda s: run(s, pdf_dir))

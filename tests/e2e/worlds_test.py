#!/usr/bin/env python3
"""The three kinds of world, the reset and the colour mode, through the real
window: click as a user would and hold every pixel of the drawing area
against what the growth rules predict.

usage: worlds_test.py PATH/TO/plexaro
"""

import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree clean

import harness
import world_model
from harness import AREA_H, AREA_W, BLACK, UNDER_BUTTONS, rgb

CX, CY = AREA_W // 2, AREA_H // 2
# Two-colour growth from a single seed, rows cy-2..cy+2, columns cx-2..cx+2:
# after one press, and after a second press on top of it.
ONE_GROWTH = [[0, 1, 1, 0, 1], [0, 1, 0, 1, 1], [1, 1, 1, 1, 0], [0, 0, 0, 1, 1], [0, 0, 0, 0, 1]]
TWO_GROWTHS = [[1, 0, 0, 0, 0], [0, 0, 1, 1, 1], [0, 0, 1, 0, 0], [1, 0, 1, 0, 1], [1, 1, 0, 0, 1]]
# Many colours on fresh channel grids: the first eight cells of the walk.
FIRST_STEPS = [(1, 0), (1, 1), (0, 1), (-1, 1), (-1, 0), (-1, -1), (0, -1), (1, -1)]
FIRST_GREYS = [1, 1, 2, 2, 3, 3, 4, 5]
SPIRAL_SET = rgb(1, 0, 0)  # the packed colour 1


def visible(grid):
    """The model's values for the drawing area's pixels, row by row."""
    return [grid.cells[y * grid.stride + x] for y in range(AREA_H) for x in range(AREA_W)]


def block(values):
    return [[values[y * AREA_W + x] for x in range(CX - 2, CX + 3)]
            for y in range(CY - 2, CY + 3)]


def same_drawing(a, b):
    """Whether two screenshots show the same drawing; the buttons may differ
    (hover and focus follow the pointer)."""
    return all(p == q or u for p, q, u in zip(a.pixels, b.pixels, UNDER_BUTTONS))


def first_mismatches(bad, image, expected=None):
    shown = []
    for i in bad[:4]:
        y, x = divmod(i, AREA_W)
        text = "(%d, %d) is %06x" % (x, y, image.pixels[i])
        if expected is not None:
            text += " not %06x" % expected(i)
        shown.append(text)
    return "%d pixels wrong: %s" % (len(bad), ", ".join(shown))


class Oracle:
    """The model's pictures, checked first against known worked examples."""

    def __init__(self, f):
        one = world_model.two_colour_world(AREA_W, AREA_H, 1)
        two = world_model.two_colour_world(AREA_W, AREA_H, 2)
        grey = world_model.many_colour_world(AREA_W, AREA_H)
        self.one, self.two, self.grey = visible(one), visible(two), visible(grey)
        self.walk = [-1] * (AREA_W * AREA_H)
        for k, (x, y) in enumerate(world_model.spiral(AREA_W, AREA_H)):
            self.walk[y * AREA_W + x] = k
        f.check(block(self.one) == ONE_GROWTH and sum(one.cells) == 125786
                and block(self.two) == TWO_GROWTHS and sum(two.cells) == 126457,
                "the test's model of two-colour growth is wrong")
        f.check([self.grey[(CY + dy) * AREA_W + CX + dx] for dx, dy in FIRST_STEPS]
                == FIRST_GREYS and self.grey[CY * AREA_W + CX] == 1,
                "the test's model of many-colour growth is wrong")


def regular(mask):
    """Two colours: the set cells in one colour (the centre is always set), all else black."""

    def complaint(image):
        fg = image.at(CX, CY)
        if fg == BLACK:
            return "the centre cell is black"
        bad = [i for i, p in enumerate(image.pixels)
               if p != (fg if mask[i] else BLACK) and not UNDER_BUTTONS[i]]
        return first_mismatches(bad, image, lambda i: fg if mask[i] else BLACK) if bad else None

    return complaint


def rainbow(mask):
    """Set cells coloured, the rest black; a colour runs on from the set cell
    above, else from the one to the left, and starts afresh where neither is."""

    def complaint(image):
        px = image.pixels
        bad = [i for i, p in enumerate(px)
               if (p == BLACK) == bool(mask[i]) and not UNDER_BUTTONS[i]]
        if bad:
            return "set cells black or empty cells coloured: " + first_mismatches(bad, image)
        broken, starts = [], []
        for i, p in enumerate(px):
            if not mask[i] or UNDER_BUTTONS[i]:
                continue
            source = i - AREA_W if mask[i - AREA_W] else i - 1 if mask[i - 1] else None
            if source is None:
                starts.append(p)
            elif not UNDER_BUTTONS[source] and px[source] != p:
                broken.append(i)
        if broken:
            return "colour does not run on from above/left: " + first_mismatches(broken, image)
        if len(starts) < 100 or len(set(starts)) < 0.99 * len(starts):
            return ("%d distinct colours for %d cells that start a colour"
                    % (len(set(starts)), len(starts)))
        return None

    return complaint


def spiral(mask, walk, before, stats):
    """Set cells in colour 1; empty cells of the walked square coloured, mostly
    by the last earlier-walked empty neighbour (left, right, above, below);
    everything the walk does not reach, the centre included, left as it was."""

    def complaint(image):
        px = image.pixels
        copied = matched = coloured = empty = 0
        wrong = []
        for i, p in enumerate(px):
            if UNDER_BUTTONS[i]:
                continue
            k = walk[i]
            if k < 0:
                if p != before.pixels[i]:
                    wrong.append(i)
                continue
            if mask[i]:
                if p != SPIRAL_SET:
                    wrong.append(i)
                continue
            empty += 1
            coloured += p != BLACK
            x = i % AREA_W
            source = None
            for n in (i - 1 if x > 0 else None, i + 1 if x + 1 < AREA_W else None,
                      i - AREA_W, i + AREA_W):
                if n is not None and 0 <= walk[n] < k and not mask[n]:
                    source = n
            if source is not None and not UNDER_BUTTONS[source]:
                copied += 1
                matched += px[source] == p
        stats.update(empty=empty, coloured=coloured, copied=copied, matched=matched)
        if wrong:
            return ("set cells not RGB(1, 0, 0) or cells outside the walk changed: "
                    + first_mismatches(wrong, image))
        if coloured < 0.9 * empty:
            return "only %d of %d empty cells coloured" % (coloured, empty)
        if matched < 0.97 * copied:
            return ("only %d of %d cells took the colour of their last earlier neighbour"
                    % (matched, copied))
        return None

    return complaint


def many_colours(grey):
    def complaint(image):
        bad = [i for i, p in enumerate(image.pixels)
               if p != rgb(grey[i], grey[i], grey[i]) and not UNDER_BUTTONS[i]]
        return first_mismatches(bad, image, lambda i: rgb(grey[i], grey[i], grey[i])) \
            if bad else None

    return complaint


def run(s):
    f = s.failures
    oracle = Oracle(f)

    shots = os.path.join(os.getcwd(), "e2e-screens")
    os.makedirs(shots, exist_ok=True)

    def press(button, accept, what, name):
        s.click_button(button)
        image, complaint = s.wait_for_area(accept)
        f.check(complaint is None, "%s: %s" % (what, complaint), image, name)
        # The window as a user sees it; the README's pictures come from here.
        s.window_shot().save_png(os.path.join(shots, name + ".png"))
        return image

    # Regular World twice: the world grows on, in a new colour each time.
    first = press("regular", regular(oracle.one), "first Regular World", "regular1")
    fg1 = first.at(CX, CY)
    f.check([[int(first.at(x, y) == fg1) for x in range(CX - 2, CX + 3)]
             for y in range(CY - 2, CY + 3)] == ONE_GROWTH,
            "the 5 x 5 block around the centre is not the first growth", first, "regular1")
    second = press("regular", regular(oracle.two), "second Regular World", "regular2")
    f.check(second.at(CX, CY) != fg1, "the second Regular World kept the colour %06x" % fg1)

    # Reset draws nothing, but the next world grows from a single seed again.
    s.click_button("reset")
    time.sleep(0.4)
    f.check(same_drawing(s.area(), second), "Reset World changed the picture")
    press("regular", regular(oracle.one), "Regular World after Reset", "regular3")

    # Rainbow and Spiral each start from a cleared grid after another kind of world.
    painted = press("rainbow", rainbow(oracle.one), "Rainbow World", "rainbow")
    stats = {}
    walked = press("spiral", spiral(oracle.one, oracle.walk, painted, stats), "Spiral World",
                   "spiral")
    print("spiral: %(coloured)d of %(empty)d empty cells coloured, %(matched)d of %(copied)d "
          "took their neighbour's colour" % stats)

    # Options > Color mode > Many colors, as a user picks it: a click on the
    # menu title, then the mnemonics. Each step waits for the menus to show.
    shown = s.area()
    options = s.menu_titles()[0]
    s.click_window(*options)
    for key in ("c", "m"):
        menu, complaint = s.wait_for_area(
            lambda im: None if not same_drawing(im, shown) else "menu not open")
        f.check(complaint is None, "the Options menu did not open", menu, "menu")
        shown = menu
        s.xdotool("key", key)
    closed, complaint = s.wait_for_area(
        lambda im: None if same_drawing(im, walked) else "menu still open")
    f.check(complaint is None, "the menu did not close after Many colors", closed, "menu-closed")

    # With fresh channel grids the many-colour picture is fully determined.
    s.click_button("reset")
    grey = press("regular", many_colours(oracle.grey), "many-colour Regular World", "many")
    f.check(grey.at(CX, CY) == rgb(1, 1, 1), "the centre is %06x, not RGB(1, 1, 1)"
            % grey.at(CX, CY))
    f.check([grey.at(CX + dx, CY + dy) for dx, dy in FIRST_STEPS]
            == [rgb(v, v, v) for v in FIRST_GREYS],
            "the first eight cells of the walk are not the greys 1 1 2 2 3 3 4 5")


if __name__ == "__main__":
    harness.main("worlds", run)

#!/usr/bin/env python3
"""Start-up, idling, the About panel and closing, on a real X server.

usage: startup_test.py PATH/TO/plexaro
"""

import os
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree clean

import harness
from harness import AREA_W, BLACK, BUTTONS, LABEL, PICTURE, rgb

HERE = os.path.dirname(os.path.abspath(__file__))
ABOUT_JPEG = os.path.join(HERE, "..", "..", "resources", "about.jpg")
WHITE = rgb(255, 255, 255)
PANEL = harness.rect_mask(LABEL, PICTURE)
GREEN = rgb(0, 255, 0)


def check_window(s, f):
    f.check(s.win_w == AREA_W, "window is %d pixels wide, not %d" % (s.win_w, AREA_W))
    f.check(10 <= s.menu_h <= 60, "no menu bar above the drawing area: window %dx%d"
            % (s.win_w, s.win_h))
    shot = s.window_shot()
    # Down a column right of the buttons: menu bar, then black to the bottom
    # edge of the window, then the white screen behind it.
    column = [shot.at(300, y) for y in range(shot.height)]
    first_black = next((y for y, p in enumerate(column) if p == BLACK), None)
    f.check(first_black == s.menu_h, "drawing area starts at row %s of the window, "
            "expected %d (below the menu bar)" % (first_black, s.menu_h), shot, "window")
    f.check(column[-1] == WHITE and shot.at(AREA_W, s.menu_h + 10) == WHITE,
            "the window shows more than 503 x 533 pixels of drawing area", shot, "window")


def fresh_area(image):
    """Black everywhere but the four buttons, which cover their rectangles."""
    stray = [divmod(i, AREA_W)[::-1] for i, p in enumerate(image.pixels)
             if p != BLACK and not harness.UNDER_BUTTONS[i]]
    if stray:
        return "%d pixels outside the buttons are not black, first %s" % (len(stray), stray[:5])
    for name, (left, top, width, height) in BUTTONS.items():
        inside = image.crop(left, top, width, height).pixels
        lit = sum(p != BLACK for p in inside) / len(inside)
        if lit < 0.8:
            return "button %s is not drawn at (%d, %d): %.0f%% of it is lit" % (
                name, left, top, 100 * lit)
    return None


def check_idle_cpu(s, f):
    ticks_per_second = os.sysconf("SC_CLK_TCK")
    before, start = s.cpu_ticks(), time.monotonic()
    time.sleep(5)
    used = (s.cpu_ticks() - before) / ticks_per_second
    share = used / (time.monotonic() - start)
    print("idle CPU: %.2f%% of a core" % (100 * share))
    f.check(share < 0.02, "the idle program uses %.1f%% of a core" % (100 * share))


def about_picture():
    data = subprocess.run(["convert", ABOUT_JPEG, "-depth", "8", "ppm:-"],
                          check=True, capture_output=True).stdout
    return harness.Image.from_ppm(data)


def check_panel_shown(image, f, name):
    left, top, width, height = LABEL
    label = [image.at(x, y) for y in range(top, top + height) for x in range(left, left + width)]
    green = sum(p == GREEN for p in label) / len(label)
    f.check(green > 0.4, "the About label is not green: %.0f%% of it is RGB(0, 255, 0)"
            % (100 * green), image, name)

    # The picture box shows the About image at its top left, 1:1.
    expected = about_picture()
    left, top, width, height = PICTURE
    width, height = min(width, expected.width), min(height, expected.height)
    close = 0
    for y in range(height):
        for x in range(width):
            a, b = image.at(left + x, top + y), expected.at(x, y)
            close += all(abs(((a >> s) & 0xFF) - ((b >> s) & 0xFF)) <= 8 for s in (16, 8, 0))
    f.check(close / (width * height) > 0.98, "the About picture does not show the About image: "
            "%.1f%% of its pixels match" % (100 * close / (width * height)), image, name)

    # The buttons are gone: where the panel does not cover them the black
    # drawing shows.
    leftover = [divmod(i, AREA_W)[::-1] for i, p in enumerate(image.pixels)
                if p != BLACK and harness.UNDER_BUTTONS[i] and not PANEL[i]]
    f.check(not leftover, "buttons still shown with the About panel, e.g. at %s"
            % leftover[:3], image, name)


def run(s):
    f = s.failures
    fresh, complaint = s.wait_for_area(fresh_area)
    f.check(complaint is None, "at start-up: %s" % complaint, fresh, "startup")
    check_window(s, f)
    check_idle_cpu(s, f)

    # About shows the panel in place of the buttons; choosing it again keeps it.
    titles = s.menu_titles()
    if not f.check(len(titles) == 2, "expected the menu titles Options and About, found %d "
                   "clusters of text at %s" % (len(titles), titles)):
        return
    about = titles[1]
    s.click_window(*about)
    shown, _ = s.wait_for_area(lambda im: None if GREEN in im.crop(*LABEL).pixels else "no panel")
    check_panel_shown(shown, f, "about")
    s.click_window(*about)

    # A click on the panel is not a click on the drawing area.
    s.click_area(LABEL[0] + 5, LABEL[1] + LABEL[3] - 5)
    s.click_area(PICTURE[0] + 70, PICTURE[1] + 100)
    s.move_pointer_away()
    time.sleep(0.5)
    check_panel_shown(s.area(), f, "about-after-clicks")

    # A click on the drawing area itself puts the buttons back, exactly as
    # they were at start-up.
    s.click_area(400, 450)
    s.move_pointer_away()
    back, complaint = s.wait_for_area(
        lambda im: None if im.pixels == fresh.pixels else "not the start-up picture")
    f.check(complaint is None, "closing the About panel did not restore the start-up "
            "picture", back, "about-closed")

    # The window manager's close button ends the program, successfully.
    s.close_like_a_window_manager()
    try:
        status = s.app.wait(timeout=5)
        f.check(status == 0, "plexaro exited with status %d after WM_DELETE_WINDOW" % status)
    except subprocess.TimeoutExpired:
        f.check(False, "plexaro still runs 5 s after WM_DELETE_WINDOW")


if __name__ == "__main__":
    harness.main("startup", run)

"""What the screen must show: the world growth, written out once more.

Kept deliberately plain and separate from the C++ core, so that the
end-to-end tests compare the window with an independent reading of the
rules rather than with the program's own code. Grids are flat lists indexed
y * stride + x over columns 0..W+2 and rows 0..H+2.
"""


class Grid:
    def __init__(self, width, height):
        self.w, self.h = width, height
        self.stride = width + 3
        self.cells = [0] * (self.stride * (height + 3))

    def index(self, x, y):
        return y * self.stride + x

    def __getitem__(self, xy):
        return self.cells[self.index(*xy)]


def spiral(width, height):
    """The cells of the square spiral from the centre, in walk order."""
    cx, cy = width // 2, height // 2
    x, y = cx, cy
    min_x = max_x = cx
    min_y = max_y = cy
    dx, dy = 1, 0
    while True:
        x, y = x + dx, y + dy
        if x > width + 1 or x < 1 or y > height + 1 or y < 1:
            return
        if x > max_x:
            max_x, dx, dy = x, 0, 1
        if y > max_y:
            max_y, dx, dy = y, -1, 0
        if x < min_x:
            min_x, dx, dy = x, 0, -1
        if y < min_y:
            min_y, dx, dy = y, 1, 0
        yield x, y


def grow(grid, modulus):
    """One growth from the centre seed: each walked cell becomes the sum of
    itself and its four neighbours, modulo `modulus`, in place."""
    c, s = grid.cells, grid.stride
    c[grid.index(grid.w // 2, grid.h // 2)] = 1
    for x, y in spiral(grid.w, grid.h):
        i = y * s + x
        c[i] = (c[i] + c[i - 1] + c[i - s] + c[i + 1] + c[i + s]) % modulus
    return grid


def two_colour_world(width, height, growths=1):
    """The set cells (1) after `growths` presses on a cleared grid."""
    grid = Grid(width, height)
    for _ in range(growths):
        grow(grid, 2)
    return grid


def many_colour_world(width, height):
    """The grey level of every cell after one growth with fresh channel grids.

    All three channels start at the same seed (1) and follow the same rule,
    so one grid stands for all three: cell colour RGB(v, v, v).
    """
    return grow(Grid(width, height), 256)

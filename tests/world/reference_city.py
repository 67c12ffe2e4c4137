#!/usr/bin/env python3
"""An independent, deliberately plain model of the city generator.

It re-derives the random generator, the grid search and the road map builder
from their written rules (not from the C++ code) and prints the figures that
road_map_golden_test.cpp pins for a few seeds. Run it after an intended change
to the generator and copy the numbers into the test:

    python3 tests/world/reference_city.py 1 4660 20240601

It takes about a second per seed. The search list is walked node by node,
exactly as the rules describe it, because a re-parented node keeps its place
and the list is then no longer sorted by cost.
"""

import struct
import sys

W = H = 40


def f32(x):
    """Rounds a double to the nearest single-precision value."""
    return struct.unpack('<f', struct.pack('<f', x))[0]


class Random:
    def __init__(self, seed):
        self.seed = seed & 0x7FFFFFFF
        if self.seed in (0, 0x7FFFFFFF):
            self.seed = 4660

    def step(self):
        s = 48271 * (self.seed % 44488) - 3399 * (self.seed // 44488)
        if s < 0:
            s += 0x7FFFFFFF
        self.seed = s

    def unit_double(self):
        self.step()
        a = self.seed & 0x1FFFFFFC
        self.step()
        b = self.seed & 0x1FFFFFF8
        return (a + b / 134217728.0) / 536870912.0

    def range(self, a, b):
        r = self.unit_double()
        return a + r * (b - a) if b > a else b + r * (a - b)

    def int(self, lo, hi):
        d = hi - lo
        r = self.unit_double()
        if d > 0:
            return lo + int(r * (d + 1))  # int() truncates toward zero
        return hi + int(r * (1 - d))


BASIC = f32(0.25)
ROOT2 = f32(1.4142)


class Node:
    __slots__ = ('x', 'y', 'parent', 'cost', 'dist', 'after')

    def __init__(self, x, y, parent):
        self.x, self.y, self.parent = x, y, parent
        self.cost = 0.0
        self.dist = 0.0
        self.after = None


def find_path(rng, grid, noise, sx, sy, ex, ey):
    """Four-way search; returns the route as [(x, y), ...] goal first, or None."""
    if (sx, sy) == (ex, ey):
        return [(sx, sy)]
    if not grid[ex][ey] < 1.0:
        return None
    nodes = {}
    start = Node(sx, sy, None)
    nodes[(sx, sy)] = start
    current = start
    goal = None
    while current is not None and goal is None:
        for dx, dy in ((1, 0), (0, 1), (-1, 0), (0, -1)):
            nx, ny = current.x + dx, current.y + dy
            if not (0 <= nx < W and 0 <= ny < H):
                continue
            c = grid[nx][ny]
            if not c < 1.0:
                continue
            k = nodes.get((nx, ny))
            if k is None:
                n = Node(nx, ny, current)
                nodes[(nx, ny)] = n
                r = rng.range(0.0, noise)
                n.cost = f32(current.cost + BASIC + c + r)
                n.dist = f32((abs(nx - ex) + abs(ny - ey)) / 8.0)
                f = n.dist + n.cost
                p = current
                while p.after is not None and p.after.dist + p.after.cost <= f:
                    p = p.after
                n.after = p.after
                p.after = n
                if (nx, ny) == (ex, ey):
                    goal = n
                    break
            else:
                if k.cost > current.cost + BASIC + c * ROOT2 + noise:
                    k.parent = current
                    r = rng.range(0.0, noise)
                    k.cost = f32(current.cost + BASIC + c + r)
        if goal is None:
            current = current.after
    if goal is None:
        return None
    route = []
    p = goal
    while p is not None:
        route.append((p.x, p.y))
        p = p.parent
    return route


def build(seed):
    rng = Random(seed)
    grid = [[0.0] * H for _ in range(W)]
    low, high = f32(0.3), f32(0.9)
    for x in range(W):
        for y in range(H):
            grid[x][y] = f32(rng.range(low, high))
    points = [(4, 4), (36, 36), (4, 36), (36, 4)]
    for _ in range(26):
        x = rng.int(4, 36) // 4 * 4
        y = rng.int(4, 36) // 4 * 4
        if (x, y) not in points:
            points.append((x, y))
    noise = f32(0.0001)
    n = len(points)
    for i in range(n):
        for j in range(i + 1, len(points)):
            route = find_path(rng, grid, noise, *points[i], *points[j])
            if route is not None:
                for x, y in route:
                    grid[x][y] = 0.0
    codes = []
    for x in range(1, W - 1):
        for y in range(1, H - 1):
            code = ''
            if grid[x][y] == 0.0:
                for digit, (nx, ny) in zip('1234', ((x, y - 1), (x + 1, y), (x, y + 1), (x - 1, y))):
                    if grid[nx][ny] == 0.0:
                        code += digit
            codes.append(code)
    k = rng.int(1, 4)
    return grid, points, codes, k, rng.seed


def fnv1a(data):
    h = 0xcbf29ce484222325
    for byte in data:
        h ^= byte
        h = (h * 0x100000001b3) & 0xFFFFFFFFFFFFFFFF
    return h


def main():
    for arg in sys.argv[1:]:
        seed = int(arg)
        grid, points, codes, k, final_seed = build(seed)
        grid_bytes = b''.join(struct.pack('<f', grid[x][y]) for x in range(W) for y in range(H))
        code_bytes = ','.join(codes).encode('ascii')
        road = sum(1 for x in range(W) for y in range(H) if grid[x][y] == 0.0)
        tiles = sum(1 for c in codes if c)
        print(f'{{{seed}, {len(points)}, {road}, {tiles}, {k}, 0x{fnv1a(grid_bytes):016x}u, '
              f'0x{fnv1a(code_bytes):016x}u, {final_seed}}},')


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
# The expected stars of tests/unit/WorldTest.cpp for the seed 357, worked
# out apart from the game's code: the C library's own rand() and the star
# formulas as the game's description gives them, each in double and stored
# as a float. A line: star, red, green, blue, x, y, z, each the shortest
# decimal that reads back as the stored float.
import ctypes
import struct

libc = ctypes.CDLL('libc.so.6')


def f(v):  # a float32 store
    return struct.unpack('f', struct.pack('f', v))[0]


def shortest(v):
    return next(t for t in ('%.*f' % (d, v) for d in range(10)) if f(float(t)) == v)


libc.srand(357)
for star in range(20000):
    red, blue = (f(libc.rand() % 10 / 20 + 0.5) for _ in 'rb')
    x, y = (f(libc.rand() % 10500 / 10 - 13) for _ in 'xy')
    z = f(-(libc.rand() % 1000 / 10))
    if star in (0, 1, 9999, 19999):
        print(star, ' '.join(shortest(v) for v in (red, f(0.7), blue, x, y, z)))

#!/usr/bin/env python3
# The expected stars of tests/unit/WorldTest.cpp for the seed 357, worked
# out apart from the game's code: the C library's rand() (glibc's additive
# generator of 34 words, seeded by srand through 16807 x mod 2^31 - 1) and
# the star formulas as the game's description gives them, each in double and
# stored as a float. A line: star, red, green, blue, x, y, z, each the
# shortest decimal that reads back as the stored float.
import struct


def f(v):  # a float32 store
    return struct.unpack('f', struct.pack('f', v))[0]


def rand(seed):
    r = [seed or 1]
    for i in range(1, 31):
        r.append(16807 * r[i - 1] % 2147483647)
    r += r[0:3]
    while True:
        r.append((r[-3] + r[-31]) & 0xFFFFFFFF)
        if len(r) > 344:
            yield r[-1] >> 1


def shortest(v):
    return next(t for t in ('%.*f' % (d, v) for d in range(10)) if f(float(t)) == v)


numbers = rand(357)
for star in range(20000):
    red, blue = (f(next(numbers) % 10 / 20 + 0.5) for _ in 'rb')
    x, y = (f(next(numbers) % 10500 / 10 - 13) for _ in 'xy')
    z = f(-(next(numbers) % 1000 / 10))
    if star in (0, 1, 9999, 19999):
        print(star, ' '.join(shortest(v) for v in (red, f(0.7), blue, x, y, z)))

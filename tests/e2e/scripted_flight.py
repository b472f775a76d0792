#!/usr/bin/env python3
# The expected rows of tests/e2e/FlightTest.cpp, worked out apart from the
# game's code: the scripted flight stepped as the game's description has it
# (the collision, then the flight model), each expression in double and each
# result stored as a float, printed with 7 significant digits as apitrace
# prints them. A line: frame, x, y, heading, and "shot" when one is fired.
import math, struct
f = lambda v: struct.unpack('f', struct.pack('f', v))[0]  # a float32 store
def fly(step, keys, frames):  # keys: {frame: {key: held}}, polled after its updates
    x, y, vx, vy, h, thrust, count, held = f(512), f(512), 0.0, 0.0, 0.0, 0.0, 0, {}
    for n in range(1, frames + 1):
        x, y = f(vx * f(0.01) + x), f(vy * f(0.01) + y)  # collision probes 0.01 s ahead, in open space
        x, y = f(x - vx * f(0.01)), f(y - vy * f(0.01))
        a, count = h * f(6.282) / 360, count + 1  # the flight model, from the values on entry
        shot, count = (True, 0) if held.get('ctrl') and count > 10 else (False, count)
        x, y = f(step * vx / 1000 + x), f(step * vy / 1000 + y)
        vx, vy = f(math.sin(a) * thrust * step / 1000 + vx), f(math.cos(a) * thrust * step / 1000 + vy)
        thrust = 20.0 * (bool(held.get('up')) - bool(held.get('down')))
        h = f(h - step * 270 / 1000) if held.get('left') else h
        h = f(step * 270 / 1000 + h) if held.get('right') else h
        print('%d %.7g %.7g %.7g %s' % (n, x, y, h, 'shot' if shot else ''))
        held.update(keys.get(n, {}))
fly(25, {1: {'up': 1}, 10: {'right': 1}, 14: {'right': 0}, 30: {'ctrl': 1}, 40: {'up': 0}}, 50)

#!/usr/bin/env python3
"""Draws the decorative pictures of the certificate and the notices.

The pictures are the program's own: drawn here from plain shapes with
ImageMagick's convert. They are drawn at twice their shown size so they stay
sharp at 200% scaling; the "@2x" in the names makes Qt show them at half.
Run from this folder after changing a shape, and commit the PNG files.
"""

import math
import subprocess

GOLD = "#d4a017"
GOLD_DARK = "#8c6a0c"
GOLD_LIGHT = "#f7dc6f"
GREEN = "#3a7d34"
GREEN_DARK = "#245220"
RED = "#c0392b"
BLUE = "#1f4e9c"


def star_points(cx, cy, outer, inner, tips=5, turn=-90.0):
    points = []
    for k in range(tips * 2):
        radius = outer if k % 2 == 0 else inner
        angle = math.radians(turn + k * 180.0 / tips)
        points.append(f"{cx + radius * math.cos(angle):.1f},{cy + radius * math.sin(angle):.1f}")
    return " ".join(points)


def draw(name, width, height, commands):
    args = ["convert", "-size", f"{width}x{height}", "xc:none", "-strokewidth", "2"]
    for fill, stroke, primitive in commands:
        args += ["-fill", fill, "-stroke", stroke, "-draw", primitive]
    args += ["-strip", f"PNG32:{name}"]
    subprocess.run(args, check=True)


def star():
    draw("star@2x.png", 160, 160, [
        (GOLD, GOLD_DARK, f"polygon {star_points(80, 86, 74, 30)}"),
        (GOLD_LIGHT, "none", f"polygon {star_points(80, 86, 40, 16)}"),
    ])


def ribbon_tails(cx, top, bottom, spread):
    left = f"polygon {cx - spread},{top} {cx - 4},{top} {cx - spread // 2},{bottom} {cx - spread - 10},{bottom - 14}"
    right = f"polygon {cx + 4},{top} {cx + spread},{top} {cx + spread + 10},{bottom - 14} {cx + spread // 2},{bottom}"
    return [(RED, "#7b241c", left), (BLUE, "#123062", right)]


def medal():
    cx, cy = 96, 150
    commands = ribbon_tails(cx, 0, 100, 44)
    commands += [
        (GOLD, GOLD_DARK, f"circle {cx},{cy} {cx},{cy - 74}"),
        (GOLD_LIGHT, GOLD_DARK, f"circle {cx},{cy} {cx},{cy - 56}"),
        (GOLD, GOLD_DARK, f"polygon {star_points(cx, cy + 4, 44, 18)}"),
    ]
    draw("medal@2x.png", 192, 232, commands)


def rosette():
    cx, cy = 80, 72
    commands = ribbon_tails(cx, 80, 200, 40)
    pleats = star_points(cx, cy, 68, 56, tips=24)
    commands += [
        (GOLD, GOLD_DARK, f"polygon {pleats}"),
        ("#fff8dc", GOLD_DARK, f"circle {cx},{cy} {cx},{cy - 44}"),
        (RED, "#7b241c", f"polygon {star_points(cx, cy + 3, 32, 13)}"),
    ]
    draw("rosette@2x.png", 160, 204, commands)


def laurel():
    # Two branches of leaves along the sides of a circle, tied under a star.
    cx, cy, radius = 160, 112, 92
    commands = []
    for side in (-1, 1):
        for k in range(8):
            # From the bottom (90 degrees) up each side; y grows downwards.
            angle = 90 + side * -(18 + k * 20)
            a = math.radians(angle)
            x = cx + radius * math.cos(a)
            y = cy + radius * math.sin(a)
            tilt = angle + 90 + side * 25
            leaf = f"translate {x:.1f},{y:.1f} rotate {tilt:.1f} ellipse 0,0 22,9 0,360"
            commands.append((GREEN if k % 2 else GREEN_DARK, GREEN_DARK, leaf))
    commands.append((GOLD, GOLD_DARK, f"polygon {star_points(cx, cy - 4, 52, 21)}"))
    commands.append((RED, "#7b241c", f"polygon {cx - 26},{cy + 84} {cx + 26},{cy + 84} {cx + 14},{cy + 108} {cx - 14},{cy + 108}"))
    draw("laurel@2x.png", 320, 228, commands)


if __name__ == "__main__":
    star()
    medal()
    rosette()
    laurel()

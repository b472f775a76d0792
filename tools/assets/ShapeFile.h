#pragma once

#include <string>

#include "Canvas.h"

// Paints a sprite from its shape description, in pixel coordinates of the
// sprite (x right, y down, nose up), with # comments:
//   frame N                    later shapes are offset by N frame widths
//   polygon #rrggbb x,y x,y …  a filled polygon
//   circle #rrggbb x,y r       a filled circle
// The frame width is the canvas height (square frames). False, with a
// message, on a line it cannot read.
bool PaintShapes(const std::string& description, Canvas* canvas, std::string* problem);
// The same with every coordinate and radius multiplied by scale, to paint
// the sprite larger or smaller.
bool PaintShapes(const std::string& description, double scale, Canvas* canvas,
                 std::string* problem);

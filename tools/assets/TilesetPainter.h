#pragma once

#include <string>

#include "Canvas.h"

// Paints the 304 x 160 tileset from its description: one line per row of
// 19 tiles, top row first, "family #base #accent", with # comments.
// Families: plate, wall, pipe, light, rock, grate, hazard, crate, circuit,
// crystal. False, with a message, on a line it cannot read.
bool PaintTileset(const std::string& description, Canvas* canvas, std::string* problem);

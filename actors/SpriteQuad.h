#pragma once

#include "world/TexRect.h"

// Draws one upright GL_QUADS sprite at z = 0 from (x0, y0), the lower left
// corner, to (x1, y1), mapping the bitmap's top row to the upper edge.
void DrawSpriteQuad(const TexRect& rect, float x0, float y0, float x1, float y1);

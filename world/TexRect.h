#pragma once

// Where a bitmap lies inside its power-of-two texture, in texture
// coordinates. t = top is the bitmap's first row.
struct TexRect {
    float top;
    float bottom;
    float right;
    float left;
};

#include "flight/CollideShip.h"

#include <cstdint>

#include "app/GameState.h"
#include "app/WorldObjects.h"
#include "world/CellCoord.h"

namespace {

// Kept on purpose: a float constant widened to double; 0.01f is not 0.01.
const double kLookAhead = 0.01f;

struct Probes {
    bool topLeft, topRight, bottomLeft, bottomRight;
    bool top, bottom, right, left;
};

bool AnyInRow(int32_t y, int32_t xFrom, int32_t xTo)
{
    for (int64_t i = static_cast<int64_t>(xFrom) + 1; i < xTo; ++i)
        if (g_Map.IsSolid(static_cast<int32_t>(i), y))
            return true;
    return false;
}

bool AnyInColumn(int32_t x, int32_t yFrom, int32_t yTo)
{
    for (int64_t j = static_cast<int64_t>(yFrom) + 1; j < yTo; ++j)
        if (g_Map.IsSolid(x, static_cast<int32_t>(j)))
            return true;
    return false;
}

Probes ProbeAround(float x, float y)
{
    const double half = g_ShipHalfSize;
    // Kept on purpose: truncated toward zero, not floored, so -0.5 probes cell 0.
    const int32_t yTop = TruncateToCell(y + half);
    const int32_t yBottom = TruncateToCell(y - half);
    const int32_t xRight = TruncateToCell(x + half);
    const int32_t xLeft = TruncateToCell(x - half);
    Probes probes;
    probes.topLeft = g_Map.IsSolid(xLeft, yTop);
    probes.topRight = g_Map.IsSolid(xRight, yTop);
    probes.bottomLeft = g_Map.IsSolid(xLeft, yBottom);
    probes.bottomRight = g_Map.IsSolid(xRight, yBottom);
    probes.top = AnyInRow(yTop, xLeft, xRight);
    probes.bottom = AnyInRow(yBottom, xLeft, xRight);
    probes.right = AnyInColumn(xRight, yBottom, yTop);
    probes.left = AnyInColumn(xLeft, yBottom, yTop);
    return probes;
}

void BounceOffXFace()
{
    g_ShipVelX = static_cast<float>(-static_cast<double>(g_ShipVelX) * g_BounceFactor);
    g_ShipVelY = static_cast<float>(static_cast<double>(g_ShipVelY) * g_BounceFactor);
}

void BounceOffYFace()
{
    g_ShipVelY = static_cast<float>(-static_cast<double>(g_ShipVelY) * g_BounceFactor);
    g_ShipVelX = static_cast<float>(static_cast<double>(g_ShipVelX) * g_BounceFactor);
}

}  // namespace

bool CollideShip()
{
    // Kept on purpose: 0.01 s ahead whatever the frame's length, and no push out of a solid cell.
    g_ShipX = static_cast<float>(g_ShipVelX * kLookAhead + g_ShipX);
    g_ShipY = static_cast<float>(g_ShipVelY * kLookAhead + g_ShipY);
    const Probes p = ProbeAround(g_ShipX, g_ShipY);
    g_ShipX = static_cast<float>(g_ShipX - g_ShipVelX * kLookAhead);
    g_ShipY = static_cast<float>(g_ShipY - g_ShipVelY * kLookAhead);

    const bool movingLeft = g_ShipVelX < 0.0f;
    const bool movingDown = g_ShipVelY < 0.0f;
    if (!movingLeft && !movingDown) {
        const bool xFace = p.right || p.bottomRight;
        const bool yFace = p.top || p.topLeft;
        if (xFace)
            BounceOffXFace();
        if (yFace)
            BounceOffYFace();
    } else if (!movingLeft && movingDown) {
        const bool xFace = p.right || p.topRight;
        const bool yFace = p.bottom || p.bottomLeft;
        if (yFace)
            BounceOffYFace();
        if (xFace)
            BounceOffXFace();
    } else if (movingLeft && !movingDown) {
        const bool xFace = p.left || p.bottomLeft;
        const bool yFace = p.top || p.topRight;
        if (xFace)
            BounceOffXFace();
        if (yFace)
            BounceOffYFace();
    } else {
        const bool xFace = p.left || p.topLeft;
        const bool yFace = p.bottom || p.bottomRight;
        if (yFace)
            BounceOffYFace();
        if (xFace)
            BounceOffXFace();
    }
    return true;
}

#include "app/ViewWindow.h"

#include "world/CellCoord.h"

ViewWindow ComputeViewWindow(float shipX, float shipY, int32_t screenWidth, int32_t screenHeight)
{
    // Kept on purpose: whole cells less whole half-screens, so at 800 x 600 a bottom strip shows
    // stars.
    const int64_t x0 = static_cast<int64_t>(TruncateToCell(shipX)) - screenWidth / 32;
    const int64_t y0 = static_cast<int64_t>(TruncateToCell(shipY)) - screenHeight / 32;
    ViewWindow window;
    window.x0 = x0 < 0 ? 0 : static_cast<uint32_t>(x0);
    window.y0 = y0 < 0 ? 0 : static_cast<uint32_t>(y0);
    window.w = static_cast<uint32_t>(screenWidth / 16);
    window.h = static_cast<uint32_t>(screenHeight / 16);
    return window;
}

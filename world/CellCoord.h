#pragma once

#include <cstdint>

// Truncates toward zero to a cell coordinate. Values beyond the int32
// range, and NaN, saturate instead of being undefined; every such cell
// lies outside the map.
inline int32_t TruncateToCell(double value)
{
    if (!(value > -2147483648.0))
        return INT32_MIN;
    if (value >= 2147483647.0)
        return INT32_MAX;
    return static_cast<int32_t>(value);
}

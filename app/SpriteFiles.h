#pragma once

// The sprite bitmaps the game loads from its working folder. The build
// (cmake/GameSources.cmake), the page and the tests take the names from
// here.
inline constexpr const char kShipBitmap[] = "ship.bmp";
inline constexpr const char kBulletBitmap[] = "bullet.bmp";
inline constexpr const char kFleetBitmap[] = "ships.bmp";

inline constexpr const char* kSpriteBitmaps[] = {kShipBitmap, kBulletBitmap, kFleetBitmap};

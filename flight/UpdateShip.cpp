#include "flight/UpdateShip.h"

#include <cmath>

#include "app/GameState.h"
#include "app/WorldObjects.h"
#include "flight/Heading.h"

namespace {

// Kept on purpose: float constants widened to double; every sum below is done in double.
const double kMuzzleSpeed = 20.0f;
const double kThrust = 20.0f;
const double kTurnRate = 270.0f;
const double kMsPerSecond = 1000.0f;
const int32_t kFireInterval = 10;
const int32_t kPlayerBulletKind = 3;

}  // namespace

bool UpdateShip(uint32_t elapsedMs)
{
    const double elapsed = static_cast<double>(elapsedMs);
    const double r = HeadingToRadians(g_ShipHeading);

    // The counter stops once a shot is due, so holding fire off for ever
    // cannot overflow it.
    if (g_FireCounter <= kFireInterval)
        g_FireCounter += 1;
    if (g_KeyFire && g_FireCounter > kFireInterval) {
        Bullet bullet;
        bullet.x = g_ShipX;
        bullet.y = g_ShipY;
        bullet.vx = static_cast<float>(std::sin(r) * kMuzzleSpeed + g_ShipVelX);
        bullet.vy = static_cast<float>(std::cos(r) * kMuzzleSpeed + g_ShipVelY);
        bullet.kind = kPlayerBulletKind;
        g_Bullets.Add(bullet);
        g_FireCounter = 0;
    }

    g_ShipX = static_cast<float>(elapsed * g_ShipVelX / kMsPerSecond + g_ShipX);
    g_ShipY = static_cast<float>(elapsed * g_ShipVelY / kMsPerSecond + g_ShipY);

    g_ShipVelX =
        static_cast<float>(std::sin(r) * g_ShipThrust * elapsed / kMsPerSecond + g_ShipVelX);
    g_ShipVelY =
        static_cast<float>(std::cos(r) * g_ShipThrust * elapsed / kMsPerSecond + g_ShipVelY);

    g_ShipThrust = 0.0f;
    if (g_KeyUp && !g_KeyDown)
        g_ShipThrust = static_cast<float>(g_ShipThrust + kThrust);
    if (g_KeyDown && !g_KeyUp)
        g_ShipThrust = static_cast<float>(g_ShipThrust - kThrust);

    // Kept on purpose: the heading is never wrapped; only the sprite's copy is.
    if (g_KeyLeft)
        g_ShipHeading = static_cast<float>(g_ShipHeading - elapsed * kTurnRate / kMsPerSecond);
    if (g_KeyRight)
        g_ShipHeading = static_cast<float>(elapsed * kTurnRate / kMsPerSecond + g_ShipHeading);

    g_Exhaust.SetEmitting(g_ShipThrust != 0.0f);
    return true;
}

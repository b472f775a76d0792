#include "app/StartUp.h"

#include <cstdio>

#include "actors/ParticleParams.h"
#include "app/CommandLine.h"
#include "app/GameState.h"
#include "app/Quit.h"
#include "app/SpriteFiles.h"
#include "app/Video.h"
#include "app/WorldObjects.h"

void StartUp(int argc, char** argv)
{
    if (!ParseCommandLine(argc, argv)) {
        PrintUsage(argv[0]);
        Quit(1);
    }
    ResetGameState();
    if (!InitVideo())
        Quit(1);

    g_Camera.SetPosition(g_ShipX, g_ShipY);
    g_Camera.SetDistance(g_CameraDistance);
    g_Starfield.Init(1, 357);

    if (!g_Map.Load(argv[1])) {
        printf("g_Map.Load(): %s\n", argv[1]);
        Quit(1);
    }

    const ParticleParams exhaust = ExhaustParams();
    g_Exhaust.SetParams(exhaust);
    if (!g_Exhaust.MakeTexture())
        Quit(1);
    g_Exhaust.SetEmitting(false);

    // Kept on purpose: the sprites' results are not tested; a missing bitmap draws a plain square.
    g_PlayerShip.Reset();
    g_PlayerShip.LoadTexture(kShipBitmap);
    g_PlayerShip.SetPosition(g_ShipX, g_ShipY);
    g_PlayerShip.SetAngle(g_ShipHeading);

    g_Bullets.Reset();
    g_Bullets.LoadTexture(kBulletBitmap);

    g_Fleet.Reset();
    g_Fleet.LoadTexture(kFleetBitmap);
}

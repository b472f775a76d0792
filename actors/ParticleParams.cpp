#include "actors/ParticleParams.h"

ParticleParams ExhaustParams()
{
    ParticleParams params = {};
    params.posX = 512.0f;
    params.posY = 512.0f;
    params.size = 0.2f;
    params.sizeRate = 2.0f;
    params.red = 0.2f;
    params.green = 0.0f;
    params.blue = 1.0f;
    params.alpha = 0.5f;
    params.redRate = 1.0f;
    params.greenRate = 0.1f;
    params.blueRate = -1.0f;
    params.alphaRate = -0.5f;
    params.posSpread = 0.0f;
    params.velSpread = 2.0f;
    params.lifeMs = 1000;
    params.intervalMs = 20;
    return params;
}

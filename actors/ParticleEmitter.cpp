#include "actors/ParticleEmitter.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>

#include "actors/ElapsedSeconds.h"

namespace {

void ClampAbove(float& value, float limit)
{
    if (value > limit)
        value = limit;
}

void ClampBelow(float& value, float limit)
{
    if (value < limit)
        value = limit;
}

// Sums that would wrap stay at the top instead: a bank or an age must not
// start again from 0 after a very long frame.
uint32_t SaturatingAdd(uint32_t a, uint32_t b)
{
    return b > UINT32_MAX - a ? UINT32_MAX : a + b;
}

float RandomOffset()
{
    return static_cast<float>((rand() % 1000 - 500) / 1000.0);
}

}  // namespace

bool ParticleEmitter::SetParams(const ParticleParams& block)
{
    params = block;
    for (float* colour : {&params.red, &params.green, &params.blue, &params.alpha})
        ClampAbove(*colour, 1.0f);
    for (float* value : {&params.red, &params.green, &params.blue, &params.alpha, &params.reserved0,
                         &params.size, &params.velSpread, &params.posSpread})
        ClampBelow(*value, 0.0f);
    next = 0;
    accumulatorMs = 0;
    emitting = true;
    return true;
}

uint8_t ParticleEmitter::SpotAlpha(int x, int y)
{
    const double d = std::sqrt(static_cast<double>((x - 8) * (x - 8) + (y - 8) * (y - 8)));
    const int alpha = 255 - static_cast<int>(std::floor(32.0 * d));
    return static_cast<uint8_t>(alpha < 0 ? 0 : alpha);
}

bool ParticleEmitter::MakeTexture()
{
    unsigned char image[16 * 16 * 4];
    for (int i = 0; i < 256; ++i) {
        image[i * 4 + 0] = 255;
        image[i * 4 + 1] = 255;
        image[i * 4 + 2] = 255;
        image[i * 4 + 3] = SpotAlpha(i % 16, i / 16);
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    texture = name;
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 16, 16, 0, GL_RGBA, GL_UNSIGNED_BYTE, image);
    return true;
}

bool ParticleEmitter::SetEmitting(bool on)
{
    emitting = on;
    return true;
}

bool ParticleEmitter::SetPosition(float x, float y)
{
    params.posX = x;
    params.posY = y;
    return true;
}

bool ParticleEmitter::SetVelocity(float vx, float vy)
{
    params.velX = vx;
    params.velY = vy;
    return true;
}

bool ParticleEmitter::Update(uint32_t elapsedMs)
{
    accumulatorMs = SaturatingAdd(accumulatorMs, elapsedMs);
    if (!emitting)
        accumulatorMs = 0;

    // An interval of 0 would emit for ever; the clock's own step of 1 ms is
    // the fastest rate the emitter runs at.
    const uint32_t interval = params.intervalMs == 0 ? 1 : params.intervalMs;
    if (accumulatorMs > interval) {
        // Emissions beyond one ring's worth would only overwrite each other
        // within this call: pass over them, keeping the ring position and
        // the bank as if they had been made.
        const uint32_t due = (accumulatorMs - 1) / interval;
        if (due > MaxParticles) {
            const uint32_t skipped = due - MaxParticles;
            accumulatorMs -= skipped * interval;
            next = static_cast<uint32_t>((next + static_cast<uint64_t>(skipped)) % MaxParticles);
        }
    }
    while (accumulatorMs > interval) {
        Emit();
        accumulatorMs -= interval;
    }

    // What a frame adds to every live particle, the same products for
    // each, worked out once.
    Step step;
    step.dt = ElapsedSeconds(elapsedMs);
    step.ms = elapsedMs;
    step.red = step.dt * params.redRate;
    step.green = step.dt * params.greenRate;
    step.blue = step.dt * params.blueRate;
    step.alpha = step.dt * params.alphaRate;
    step.vx = step.dt * params.accelX;
    step.vy = step.dt * params.accelY;
    step.vz = step.dt * params.accelZ;
    step.size = step.dt * params.sizeRate;
    for (Particle& particle : particles) {
        if (!IsDead(particle))
            Advance(particle, step);
    }
    return true;
}

void ParticleEmitter::Emit()
{
    Particle& particle = particles[next];
    particle.red = params.red;
    particle.green = params.green;
    particle.blue = params.blue;
    particle.alpha = params.alpha;
    particle.x = params.posX + RandomOffset() * params.posSpread;
    particle.y = params.posY + RandomOffset() * params.posSpread;
    particle.z = params.posZ + RandomOffset() * params.posSpread;
    particle.vx = params.velX + RandomOffset() * params.velSpread;
    particle.vy = params.velY + RandomOffset() * params.velSpread;
    particle.vz = params.velZ + RandomOffset() * params.velSpread;
    particle.size = params.size;
    particle.ageMs = 0;
    next += 1;
    if (next == MaxParticles)
        next = 0;
}

void ParticleEmitter::Advance(Particle& particle, const Step& step) const
{
    particle.red += step.red;
    particle.green += step.green;
    particle.blue += step.blue;
    particle.alpha += step.alpha;
    particle.vx += step.vx;
    particle.vy += step.vy;
    particle.vz += step.vz;
    particle.x += step.dt * particle.vx;
    particle.y += step.dt * particle.vy;
    particle.z += step.dt * particle.vz;
    particle.size += step.size;
    particle.ageMs = SaturatingAdd(particle.ageMs, step.ms);
    // Above 1 becomes 1, then below 0 becomes 0; NaN stays as it is.
    particle.red = std::max(std::min(particle.red, 1.0f), 0.0f);
    particle.green = std::max(std::min(particle.green, 1.0f), 0.0f);
    particle.blue = std::max(std::min(particle.blue, 1.0f), 0.0f);
    particle.alpha = std::max(std::min(particle.alpha, 1.0f), 0.0f);
    particle.size = std::max(particle.size, 0.0f);
}

bool ParticleEmitter::IsDead(const Particle& particle) const
{
    if (particle.size == 0.0f)
        return true;
    if (particle.ageMs > params.lifeMs)
        return true;
    return particle.alpha == 0.0f;
}

bool ParticleEmitter::Draw()
{
    glPointSize(2.0f);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_BLEND);
    glBegin(GL_QUADS);
    for (const Particle& particle : particles) {
        if (IsDead(particle))
            continue;
        const float s = particle.size;
        glColor4f(particle.red, particle.green, particle.blue, particle.alpha);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(particle.x - s, particle.y - s, particle.z);
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(particle.x + s, particle.y - s, particle.z);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(particle.x + s, particle.y + s, particle.z);
        glTexCoord2f(0.0f, 1.0f);
        glVertex3f(particle.x - s, particle.y + s, particle.z);
    }
    glEnd();
    glDisable(GL_BLEND);
    return true;
}

#pragma once

// A pooled particle system. An emitter owns a fixed pool of particles that
// only ever move between a free and a live list: a burst stamps free ones
// from the base particle and sends them off with random velocities, updates
// age, move and fade the live ones and hand back those that have faded out
// or shrunk to nothing. Its tuning comes from a settings file of key=value
// lines (particle_settings.h).
//
// A caller creates an emitter once, bursts when an effect starts, and every
// frame updates it with its time step and then draws it.

#include "containers/list.h"
#include "effects/particle.h"
#include "graphics/image.h"
#include "util/clock.h"
#include "util/text.h"

#include <cstdint>
#include <functional>
#include <memory>

class ParticleEmitter {
public:
    static constexpr int32_t PoolSize = 600;
    // Rate-limited bursts closer together than this, in milliseconds, are dropped.
    static constexpr int32_t BurstInterval = 20;

    // An emitter with the construction values, tuned by the settings `file`
    // when it is not empty. An `image` line is ignored when `skipImage` is
    // not 0. A file that cannot be read leaves the construction values.
    static std::shared_ptr<ParticleEmitter> Create(const Text& file, int32_t skipImage);

    // The construction values and a full free pool, no image.
    ParticleEmitter();

    // Each live particle as frame 0 of the image with its own scale,
    // rotation, alpha and colour, under the caller's drawing origin; the
    // drawing state is left as the last particle set it. Nothing without an
    // image.
    void Draw();
    // Advances every live particle by `delta` time units.
    void Update(float delta);
    // Emits up to m_iParticlesPerBurst particles at (x, y), fewer when the
    // pool runs short. A `limited` burst is dropped if the previous limited
    // one was less than BurstInterval milliseconds ago.
    void DoBurst(int32_t x, int32_t y, int32_t limited);

    TList<Particle> m_freeParticles;
    TList<Particle> m_liveParticles;
    // The template every new particle is copied from.
    Particle m_baseParticle;
    float m_fPointWeight = 1.0f; // velocity loss per time unit and downward pull
    float m_fScaleFactor = -0.2f;
    float m_fRotationFactor = 720.0f;
    float m_fVelocityMin = 9.0f; // bounds of each random velocity component
    float m_fVelocityMax = 100.0f;
    float m_fRedFactor = 0.0f;
    float m_fBlueFactor = 0.0f;
    float m_fGreenFactor = 0.0f;
    float m_fAlphaFactor = -1.0f;
    int32_t m_iParticlesPerBurst = 20;
    std::shared_ptr<TImage> m_Image;
    int32_t m_iXHandle = 0;
    int32_t m_iYHandle = 0;
    // The clock reading of the last limited burst.
    int32_t m_lastBurstTime = 0;
    // The millisecond clock the rate limit reads; a test drives its own.
    std::function<int32_t()> m_clock = MillisecondClock;
};

#include "effects/particle_emitter.h"

#include "effects/particle_settings.h"
#include "graphics/draw2d.h"
#include "graphics/image_drawing.h"
#include "util/numeric.h"
#include "util/random.h"

std::shared_ptr<ParticleEmitter> ParticleEmitter::Create(const Text& file, int32_t skipImage) {
    auto emitter = std::make_shared<ParticleEmitter>();
    if (!file.empty()) {
        ReadParticleSettings(*emitter, file, skipImage);
    }
    if (emitter->m_Image) {
        SetImageOffset(*emitter->m_Image, static_cast<float>(emitter->m_iXHandle),
                       static_cast<float>(emitter->m_iYHandle));
    }
    return emitter;
}

ParticleEmitter::ParticleEmitter() {
    // The whole pool is made here once; bursts and updates only move
    // particles between the two lists.
    for (int32_t i = 0; i < PoolSize; ++i) {
        m_freeParticles.AddLast(std::make_shared<Particle>());
    }
}

void ParticleEmitter::Draw() {
    if (!m_Image) {
        return;
    }
    // Oldest burst first, so newer particles land on top.
    for (auto link = m_liveParticles.FirstLink(); link; link = link->NextLink()) {
        const Particle& p = *link->Value();
        SetDrawScale(p.m_fScale, p.m_fScale);
        SetDrawRotation(p.m_fRotation);
        SetDrawAlpha(p.m_fAlpha);
        SetDrawColour(TruncToInt(p.m_fRed * 255.0f), TruncToInt(p.m_fGreen * 255.0f),
                      TruncToInt(p.m_fBlue * 255.0f));
        DrawImageFrame(*m_Image, p.m_fX, p.m_fY, 0);
    }
}

void ParticleEmitter::Update(float delta) {
    for (auto link = m_liveParticles.FirstLink(); link;) {
        // Taken before a possible removal, which would detach this link.
        const auto next = link->NextLink();
        const auto particle = link->Value();
        Particle& p = *particle;
        p.m_fAlpha += m_fAlphaFactor * delta;
        p.m_fScale += m_fScaleFactor * delta;
        if (p.m_fAlpha <= 0.0f || p.m_fScale <= 0.0f) {
            m_freeParticles.AddLast(particle);
            link->Remove();
        } else {
            p.m_fAge += delta;
            p.m_fRotation += m_fRotationFactor * delta;
            p.m_fX += p.m_fVelocityX * delta;
            p.m_fY += p.m_fVelocityY * delta;
            p.m_fVelocityX -= m_fPointWeight * delta;
            p.m_fVelocityY -= m_fPointWeight * delta;
            // The pull grows with the square of the age and is deliberately
            // not scaled by the step.
            p.m_fY += p.m_fAge * p.m_fAge * m_fPointWeight;
            p.m_fRed += m_fRedFactor * delta;
            p.m_fBlue += m_fBlueFactor * delta;
            p.m_fGreen += m_fGreenFactor * delta;
        }
        link = next;
    }
}

void ParticleEmitter::DoBurst(int32_t x, int32_t y, int32_t limited) {
    if (limited != 0) {
        const int32_t now = m_clock();
        // The clock is a wrapping 32-bit counter that may read negative, so
        // the time since the last burst is taken modulo 2^32: a signed
        // difference would overflow, and against the initial 0 it would hold
        // back every burst for weeks.
        const uint32_t elapsed =
            static_cast<uint32_t>(now) - static_cast<uint32_t>(m_lastBurstTime);
        if (elapsed < static_cast<uint32_t>(BurstInterval)) {
            return;
        }
        m_lastBurstTime = now;
    }
    // The count is tested after each particle, so even a burst size of 0 or
    // less emits one.
    int32_t remaining = m_iParticlesPerBurst;
    while (auto particle = m_freeParticles.RemoveFirst()) {
        *particle = m_baseParticle;
        particle->m_fVelocityX =
            m_fVelocityMin + (m_fVelocityMax - m_fVelocityMin) * RandomUnitFloat();
        particle->m_fVelocityY =
            m_fVelocityMin + (m_fVelocityMax - m_fVelocityMin) * RandomUnitFloat();
        particle->m_fX = static_cast<float>(x);
        particle->m_fY = static_cast<float>(y);
        m_liveParticles.AddLast(std::move(particle));
        if (remaining <= 1) {
            break;
        }
        --remaining;
    }
}

#pragma once

// One particle of an emitter's pool. Every field is per particle so that a
// burst can stamp the emitter's template onto a recycled particle with a
// plain copy; nothing here allocates or owns anything.

class Particle {
public:
    float m_fAge = 0.0f;       // time since the burst, in update-time units
    float m_fScale = 0.0f;     // drawing scale, both axes
    float m_fRotation = 0.0f;  // degrees
    float m_fVelocityX = 0.0f; // pixels per time unit
    float m_fVelocityY = 0.0f;
    float m_fRed = 0.0f; // colour channels and opacity, nominally 0 .. 1
    float m_fBlue = 0.0f;
    float m_fGreen = 0.0f;
    float m_fAlpha = 0.0f;
    float m_fX = 0.0f; // position in the caller's drawing coordinates
    float m_fY = 0.0f;
};

#pragma once

// The player's getaway car. A momentum model: the throttle builds a signed
// power, power pushes the velocity along the heading, velocity and turning
// decay each frame, and the speed limits how fast the car can turn. One call
// of each operation is one frame; velocities are pixels per frame, angles
// degrees.

#include <cstdint>
#include <memory>

class TPixmap;
class ParticleEmitter;
class tSmoker;

class TCar {
public:
    static constexpr float MAXPOWER = 0.05f;
    static constexpr float MAXTURN = 0.8f;

    virtual ~TCar() = default;

    // The tile pixel under the centre: walls bounce, white ground slows. A
    // wall holds the car: a bounce that does not carry its centre back out
    // returns it to where the frame began, so no frame ends inside a wall.
    // Then the damage: smoke past 50, the lose screen past 100. Leaving the
    // road network loses at once.
    virtual int32_t update_Collision();
    // The arrow keys: throttle, brake and reverse, steering.
    virtual int32_t ControlViaKeys();
    // One step of motion, then the rules that run with every step: the turn
    // rate, the camera shift, the police spawn roll, the goal test and the
    // engine rate.
    virtual int32_t UpdatePhysics();
    virtual int32_t Draw();
    // Points the car at the player's car. The game never calls it; the
    // angle it sets is measured from +x, not along +y as the car's own.
    virtual int32_t Update_AI();

    float positionX = 400.0f;
    float positionY = 300.0f;
    float velocityX = 0.0f;
    float velocityY = 0.0f;
    float drag = 0.97f;
    // 0 points along +y (down), 90 along +x; never wrapped.
    float angle = 0.0f;
    float angularVelocity = 0.0f;
    float angularDrag = 0.8f;
    // -MAXPOWER .. MAXPOWER.
    float power = 0.0f;
    // Recomputed from the speed by every physics step: at rest the car cannot turn.
    float turnSpeed = 0.7f;
    int32_t Damage = 0;
    int32_t Bombs = 0;
    // The car's frame in CarStrip.
    int32_t Img = 0;
    // The collision pixmap of the last tile looked at.
    std::shared_ptr<TPixmap> pMap;
    std::shared_ptr<ParticleEmitter> emitter;
    // The engine sound's playback rate: 1 at rest, 3 at full power either way.
    float pRate = 0.0f;
    std::shared_ptr<tSmoker> smoker;

private:
    // Where the last collision test left the car, clear of every wall: the
    // place a frame began. A car pushed into a wall goes back there when the
    // bounce alone would leave its centre inside the wall.
    bool _hasClearPosition = false;
    float _clearX = 0.0f;
    float _clearY = 0.0f;
};

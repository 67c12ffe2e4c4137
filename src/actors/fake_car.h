#pragma once

// A police car. It homes in on a target point (the player's car): it
// accelerates along its heading up to a top speed, and its turn rate towards
// the target builds up a degree per frame and is capped, so it swings about
// the target bearing. It bounces off walls, slows on white ground, knocks
// other police cars about, rams the player, runs over pedestrians, smokes
// when damaged and stops dead as a wreck. Out of range or off the road it
// takes itself out of CopList.

#include <cstdint>
#include <memory>

class TPixmap;
class ParticleEmitter;
class tSmoker;

class tFakeCar : public std::enable_shared_from_this<tFakeCar> {
public:
    static constexpr float Acceleration = 0.05f;
    static constexpr float TopSpeed = 1.0f;
    static constexpr float TurnAcceleration = 1.0f;
    static constexpr float TurnMax = 7.0f;
    static constexpr float MaxPoints = 50.0f;
    static constexpr int32_t MissileSpeed = 2;

    virtual ~tFakeCar() = default;

    // Shadow, body (dark once wrecked) and smoke.
    virtual int32_t Draw();
    // The tile pixel, the other police cars, the ram test against the
    // player, the pedestrians every third frame and the smoke.
    virtual int32_t Update_Collision();
    virtual int32_t Slow();
    virtual int32_t Bump();
    // Moves and steers towards (tx, ty). Removes the car when it is farther
    // than 256 pixels from the player.
    virtual int32_t Update(int32_t tx, int32_t ty);

    float x = 0.0f;
    float y = 0.0f;
    float DirectionX = 0.0f;
    float DirectionY = 0.0f;
    float XS = 0.0f;
    float YS = 0.0f;
    int32_t Done = 0;
    float Degree = 0.0f;
    // 0 .. 360; 0 points along +x, 90 along +y (down).
    float Direction = 0.0f;
    // -TurnMax .. TurnMax degrees per frame; kept from frame to frame.
    float TurnSpeed = 0.0f;
    // The police car's frame in CarStrip.
    int32_t img = 0;
    // The collision pixmap of the last tile looked at.
    std::shared_ptr<TPixmap> pMap;
    // Grows by 5 per bump: no ram at 100 and above, a wreck past 100.
    int32_t Damage = 0;
    std::shared_ptr<ParticleEmitter> emitter;
    std::shared_ptr<tSmoker> smoker;

private:
    void _RemoveFromCopList();
};

// A police car at rest at the centre of the cell, announced on standard
// output with the number of police cars so far. The caller appends it to
// CopList.
std::shared_ptr<tFakeCar> SpawnCop(int32_t cellX, int32_t cellY);

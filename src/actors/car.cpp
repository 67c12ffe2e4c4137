#include "actors/car.h"

#include "actors/car_strip.h"
#include "actors/damage.h"
#include "actors/fake_car.h"
#include "actors/road_surface.h"
#include "effects/smoker.h"
#include "game/globals.h"
#include "game/screens.h"
#include "graphics/draw2d.h"
#include "system/input_state.h"
#include "system/key_codes.h"
#include "util/numeric.h"
#include "util/random.h"
#include "world/city.h"
#include "world/geometry.h"

namespace {

constexpr float PowerStep = 0.001f;
constexpr float PowerDecay = 0.7f;
// How far ahead of the car a police car may appear.
constexpr double CopSpawnLead = 128.0;
// Closer than this to the sewer's centre wins.
constexpr double GoalRadius = 16.0;

bool CentreOnWall(float x, float y) {
    const int32_t px = TruncToInt(x);
    const int32_t py = TruncToInt(y);
    const auto tile = TileAtPixel(px, py);
    const auto pixmap = tile ? CollisionPixmap(*tile) : nullptr;
    return pixmap && TilePixel(*pixmap, px, py) == WallColour;
}

} // namespace

int32_t TCar::ControlViaKeys() {
    // Up wins when both throttle keys are held.
    const bool up = KeyHeld(KeyUp) != 0;
    const bool down = !up && KeyHeld(KeyDown) != 0;
    if (up) {
        power += PowerStep;
        if (!(power <= MAXPOWER)) {
            power = MAXPOWER;
        }
    } else if (down) {
        power -= PowerStep;
        if (!(power >= -MAXPOWER)) {
            power = -MAXPOWER;
        }
    } else {
        power *= PowerDecay;
    }
    if (up || down) {
        // A negative power pushes backwards.
        velocityX = static_cast<float>(velocityX + power * SinDeg(angle));
        velocityY = static_cast<float>(velocityY + power * CosDeg(angle));
    }
    if (KeyHeld(KeyLeft)) {
        angularVelocity += turnSpeed;
    }
    if (KeyHeld(KeyRight)) {
        angularVelocity -= turnSpeed;
    }
    return 0;
}

int32_t TCar::UpdatePhysics() {
    positionX += velocityX;
    positionY += velocityY;
    velocityX *= drag;
    velocityY *= drag;
    angle += angularVelocity;
    angularVelocity *= angularDrag;
    turnSpeed = static_cast<float>(
        MinFloat(MAXTURN, MaxFloat(AbsFloat(velocityX), AbsFloat(velocityY)) / 2.0));

    // Whatever is drawn later in this frame follows the car's extra
    // movement: a ram runs this step in the middle of the police cars' walk.
    ViewOffsetX -= velocityX;
    ViewOffsetY -= velocityY;

    if (RandomInt(1, 100) <= CopSpawnChance) {
        const int32_t ax = TruncToInt(positionX + CopSpawnLead * SinDeg(angle));
        const int32_t ay = TruncToInt(positionY + CopSpawnLead * CosDeg(angle));
        if (TileAtPixel(ax, ay)) {
            auto cop = SpawnCop(ax / CellSize, ay / CellSize);
            if (CopList) {
                CopList->AddLast(std::move(cop));
            }
        }
    }

    // The goal belongs to the player's car; with one car that is this one.
    const TCar& player = PlayerCar ? *PlayerCar : *this;
    if (Distance(player.positionX, player.positionY,
                 static_cast<float>(SewerPoint.x * CellSize + CellSize / 2),
                 static_cast<float>(SewerPoint.y * CellSize + CellSize / 2)) < GoalRadius) {
        WinScreen();
    }

    pRate = static_cast<float>(1.0 + AbsFloat(power / MAXPOWER) * 2.0);
    return 0;
}

int32_t TCar::update_Collision() {
    const int32_t px = TruncToInt(positionX);
    const int32_t py = TruncToInt(positionY);
    const auto tile = TileAtPixel(px, py);
    if (!tile) {
        LoseScreen();
    }
    pMap = CollisionPixmap(*tile);
    const uint32_t c = pMap ? TilePixel(*pMap, px, py) : 0;
    if (c == WallColour) {
        // Reversed and halved, then one more step carries the car back out.
        velocityX = static_cast<float>(-(velocityX / 2.0));
        velocityY = static_cast<float>(-(velocityY / 2.0));
        UpdatePhysics();
        // A car still pushed along its nose every frame would otherwise
        // creep deeper a little each frame, through the wall and off the road.
        if (_hasClearPosition && CentreOnWall(positionX, positionY)) {
            positionX = _clearX;
            positionY = _clearY;
        }
    } else if (c == SlowColour) {
        velocityX *= WhiteGroundFactor;
        velocityY *= WhiteGroundFactor;
    }
    if (!CentreOnWall(positionX, positionY)) {
        _hasClearPosition = true;
        _clearX = positionX;
        _clearY = positionY;
    }
    if (Damage > SmokeDamage && !smoker) {
        smoker = tSmoker::Create(positionX, positionY);
    }
    if (Damage > WreckDamage) {
        LoseScreen();
    }
    return 0;
}

int32_t TCar::Draw() {
    // Car pictures face up at rotation 0; the heading is measured from +y.
    const float rotation = 180.0f - angle;
    // The shadow is always the police car's frame, whatever the car's colour.
    DrawCarShadow(positionX, positionY, rotation, 0);
    SetDrawColour(255, 255, 255);
    SetDrawAlpha(1.0f);
    SetDrawRotation(rotation);
    DrawCarFrame(positionX, positionY, Img);
    FinishCarDrawing(smoker, positionX, positionY);
    return 0;
}

int32_t TCar::Update_AI() {
    if (PlayerCar) {
        angle = AngleTo(positionX, positionY, PlayerCar->positionX, PlayerCar->positionY);
    }
    return 0;
}

#include "actors/fake_car.h"

#include "actors/car.h"
#include "actors/car_strip.h"
#include "actors/damage.h"
#include "actors/ped.h"
#include "actors/road_surface.h"
#include "effects/smoker.h"
#include "game/globals.h"
#include "graphics/draw2d.h"
#include "io/standard_output.h"
#include "util/numeric.h"
#include "util/text.h"
#include "world/city.h"
#include "world/geometry.h"

#include <cmath>

namespace {

// Farther than this from the player, a police car is dropped.
constexpr double ChaseRange = 256.0;
// Closer than this, two cars touch.
constexpr double ContactRange = 8.0;
constexpr int32_t BumpDamage = 5;
constexpr int32_t RamDamage = 2;
// A ram needs one of the two to move faster than this. Single precision, as
// the speeds are: a police car at exactly 0.4f is slow enough.
constexpr float PlayerRamSpeed = 0.5f;
constexpr float CopRamSpeed = 0.4f;
// Police cars run over pedestrians on every third frame only.
constexpr int32_t PedestrianFrameInterval = 3;

} // namespace

std::shared_ptr<tFakeCar> SpawnCop(int32_t cellX, int32_t cellY) {
    auto cop = std::make_shared<tFakeCar>();
    cop->Done = 0;
    cop->x = static_cast<float>(cellX * CellSize + CellSize / 2);
    cop->y = static_cast<float>(cellY * CellSize + CellSize / 2);
    PrintLine(u"created cop!  " + IntToText(CopList ? CopList->Count() : 0));
    return cop;
}

void tFakeCar::_RemoveFromCopList() {
    if (CopList) {
        CopList->Remove(shared_from_this());
    }
}

int32_t tFakeCar::Slow() {
    XS *= WhiteGroundFactor;
    YS *= WhiteGroundFactor;
    return 0;
}

int32_t tFakeCar::Bump() {
    XS = -XS;
    YS = -YS;
    Damage += BumpDamage;
    return 0;
}

int32_t tFakeCar::Update(int32_t tx, int32_t ty) {
    // The range is measured to the player's exact position, not to the target.
    if (PlayerCar && !(Distance(x, y, PlayerCar->positionX, PlayerCar->positionY) <= ChaseRange)) {
        _RemoveFromCopList();
        return 0;
    }
    if (Damage > WreckDamage) {
        XS = 0.0f;
        YS = 0.0f;
        return 0;
    }

    XS = static_cast<float>(XS + Acceleration * CosDeg(Direction));
    YS = static_cast<float>(YS + Acceleration * SinDeg(Direction));
    const float s = static_cast<float>(SquareRoot(XS * XS + YS * YS));
    if (s > TopSpeed) {
        XS = XS + (XS / s) * (TopSpeed - s);
        YS = YS + (YS / s) * (TopSpeed - s);
    }
    x += XS;
    y += YS;

    // The bearing from the car to the target, 0 .. 360.
    const float b = static_cast<float>(
        std::fmod(ATan2Deg(y - static_cast<float>(ty), x - static_cast<float>(tx)) + 180.0, 360.0));
    const float e = static_cast<float>(AbsFloat(b - Direction));
    // The shorter way round; exactly opposite, the way that does not cross 0.
    if (b > Direction) {
        TurnSpeed += e <= 180.0f ? TurnAcceleration : -TurnAcceleration;
    } else if (b < Direction) {
        TurnSpeed += e <= 180.0f ? -TurnAcceleration : TurnAcceleration;
    }
    if (e < 1.0f) {
        TurnSpeed = 0.0f;
    }
    if (TurnSpeed > TurnMax) {
        TurnSpeed = TurnMax;
    }
    if (TurnSpeed < -TurnMax) {
        TurnSpeed = -TurnMax;
    }
    Direction = static_cast<float>(std::fmod(Direction + TurnSpeed + 360.0, 360.0));
    return 0;
}

int32_t tFakeCar::Update_Collision() {
    const int32_t px = TruncToInt(x);
    const int32_t py = TruncToInt(y);
    const auto tile = TileAtPixel(px, py);
    if (!tile) {
        _RemoveFromCopList();
        PrintLine(u"Cop oob!");
        return 0;
    }
    pMap = CollisionPixmap(*tile);
    const uint32_t c = pMap ? TilePixel(*pMap, px, py) : 0;
    if (c == WallColour) {
        Bump();
    } else if (c == SlowColour) {
        Slow();
    }

    // Each car bumps itself once per close neighbour, so both of a pair suffer.
    if (CopList) {
        for (const auto& other : *CopList) {
            if (other && other.get() != this && Distance(other->x, other->y, x, y) < ContactRange) {
                Bump();
            }
        }
    }

    if (PlayerCar && Distance(PlayerCar->positionX, PlayerCar->positionY, x, y) < ContactRange &&
        (MaxFloat(AbsFloat(PlayerCar->velocityX), AbsFloat(PlayerCar->velocityY)) >
             PlayerRamSpeed ||
         MaxFloat(AbsFloat(XS), AbsFloat(YS)) > CopRamSpeed) &&
        Damage < WreckDamage) {
        Bump();
        PlayerCar->Damage += RamDamage;
        CrashSoundRequested = 1;
        PlayerCar->velocityX = -PlayerCar->velocityX;
        PlayerCar->velocityY = -PlayerCar->velocityY;
        PlayerCar->UpdatePhysics();
    }

    if (FrameCount % PedestrianFrameInterval == 0 && PedList) {
        const int32_t cx = TruncToInt(x);
        const int32_t cy = TruncToInt(y);
        for (const auto& ped : *PedList) {
            if (ped) {
                ped->update(cx, cy);
            }
        }
    }

    if (Damage > SmokeDamage && !emitter && !smoker) {
        smoker = tSmoker::Create(x, y);
    }
    return 0;
}

int32_t tFakeCar::Draw() {
    // The strip's pictures face up; the heading is measured from +x.
    DrawCarShadow(x, y, Direction + 90.0f, img);
    if (Damage <= WreckDamage) {
        SetDrawColour(255, 255, 255);
    } else {
        SetDrawColour(32, 32, 32);
    }
    SetDrawAlpha(1.0f);
    DrawCarFrame(x, y, img);
    FinishCarDrawing(smoker, x, y);
    return 0;
}

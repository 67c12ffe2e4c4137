#pragma once

// The game-wide state that the actors, the effects and the frame loop share.
// It lives for the whole run; the start-up creates it in order, and tests set
// it up directly to stage a scene. The city's grids live with the road map
// builder (world/city.h) and the pictures by name in the image library.

#include "containers/list.h"

#include <cstdint>
#include <memory>

class TCar;
class tFakeCar;
class tPed;
class TImage;
class TSound;
class TChannel;

// The camera: world point (px, py) is drawn at (px + ViewOffsetX, py + ViewOffsetY).
extern float ViewOffsetX;
extern float ViewOffsetY;

// Frames run since play began; animations step on its multiples.
extern int32_t FrameCount;

// Set by a ram, cleared by the frame loop once the crash sound restarted.
extern int32_t CrashSoundRequested;

// Percent chance per physics step that a police car appears ahead of the player.
extern int32_t CopSpawnChance;

extern std::shared_ptr<TCar> PlayerCar;
extern std::shared_ptr<TList<tFakeCar>> CopList;
extern std::shared_ptr<TList<tPed>> PedList;

extern std::shared_ptr<TImage> CarStrip; // frame 0 the police car, 1..5 the player's
extern std::shared_ptr<TImage> ArrowImage;
extern std::shared_ptr<TImage> SewerImage;
extern std::shared_ptr<TImage> PedImage; // frame 0 standing, 1 run over

extern std::shared_ptr<TSound> EngineSound;
extern std::shared_ptr<TChannel> EngineChannel;
extern std::shared_ptr<TSound> CrashSound;
extern std::shared_ptr<TChannel> CrashChannel;

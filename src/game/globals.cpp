#include "game/globals.h"

float ViewOffsetX = 0.0f;
float ViewOffsetY = 0.0f;
int32_t FrameCount = 0;
int32_t CrashSoundRequested = 0;
int32_t CopSpawnChance = 2;

std::shared_ptr<TCar> PlayerCar;
std::shared_ptr<TList<tFakeCar>> CopList;
std::shared_ptr<TList<tPed>> PedList;

std::shared_ptr<TImage> CarStrip;
std::shared_ptr<TImage> ArrowImage;
std::shared_ptr<TImage> SewerImage;
std::shared_ptr<TImage> PedImage;

std::shared_ptr<TSound> EngineSound;
std::shared_ptr<TChannel> EngineChannel;
std::shared_ptr<TSound> CrashSound;
std::shared_ptr<TChannel> CrashChannel;

#include "game/game_program.h"

#include "actors/car.h"
#include "actors/fake_car.h"
#include "actors/ped.h"
#include "audio/audio.h"
#include "game/globals.h"
#include "game/image_library.h"
#include "game/pause.h"
#include "game/screens.h"
#include "graphics/blend_mode.h"
#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "graphics/image_drawing.h"
#include "graphics/image_loading.h"
#include "io/directory.h"
#include "system/input_state.h"
#include "system/key_codes.h"
#include "system/program_startup.h"
#include "util/clock.h"
#include "util/numeric.h"
#include "util/random.h"
#include "util/runtime_error.h"
#include "world/city.h"
#include "world/geometry.h"
#include "world/mini_map.h"
#include "world/road_map.h"

namespace {
constexpr int32_t OpeningMessageFrames = 120;

// The pictures and sounds the start-up loads must all be there: a missing
// one stops the program at once, naming the file, instead of failing in the
// middle of play. When the whole image folder is gone, that is the message.
std::shared_ptr<TImage> Required(std::shared_ptr<TImage> image, const Text& path) {
    if (!image) {
        RequireImageDirectory();
        RaiseRuntimeError(u"cant load image: " + path);
    }
    return image;
}

std::shared_ptr<TSound> RequiredSound(const Text& path, int32_t flags) {
    auto sound = AudioLoadSound(path, flags);
    if (!sound) {
        RaiseRuntimeError(u"cant load sound: " + path);
    }
    return sound;
}

void DrawSewer() {
    SetDrawOrigin(ViewOffsetX, ViewOffsetY);
    DrawImageFrame(*SewerImage, static_cast<float>(64 * SewerPoint.x + 32),
                   static_cast<float>(64 * SewerPoint.y + 32), 0);
    SetDrawOrigin(0, 0);
}

void UpdateAndDrawCops() {
    // The list walk survives a car removing itself (or another) and sees
    // cars added during the walk. The player's position is read afresh for
    // every police car: a ram moves the player inside Update_Collision.
    for (auto enumerator = CopList->ObjectEnumerator(); enumerator.HasNext();) {
        const auto cop = enumerator.NextObject();
        if (!cop) {
            continue;
        }
        cop->Update(TruncToInt(PlayerCar->positionX), TruncToInt(PlayerCar->positionY));
        cop->Update_Collision();
        cop->Draw();
    }
}

void UpdateAndDrawPedestrians() {
    const int32_t px = TruncToInt(PlayerCar->positionX);
    const int32_t py = TruncToInt(PlayerCar->positionY);
    for (auto enumerator = PedList->ObjectEnumerator(); enumerator.HasNext();) {
        if (const auto pedestrian = enumerator.NextObject()) {
            pedestrian->update(px, py);
            pedestrian->Draw();
        }
    }
}
} // namespace

int32_t CreatePlayerCar() {
    PlayerCar = std::make_shared<TCar>();
    PlayerCar->positionX = static_cast<float>(64 * StartPoint.x + 32);
    PlayerCar->positionY = static_cast<float>(64 * StartPoint.y + 32);
    PlayerCar->Bombs = 5;
    ViewOffsetX = 80.0f - PlayerCar->positionX;
    ViewOffsetY = 60.0f - PlayerCar->positionY;
    PlayerCar->Img = RandomInt(1, 5);
    return 0;
}

int32_t DrawWorld() {
    SetDrawColour(255, 255, 255);
    SetDrawOrigin(ViewOffsetX, ViewOffsetY);
    // Every cell, every frame: a tile's handle is its top-left corner, so it
    // covers exactly its cell.
    for (int32_t x = 0; x < CityWidth; ++x) {
        for (int32_t y = 0; y < CityHeight; ++y) {
            if (const auto& tile = TileImages(x, y)) {
                DrawImageFrame(*tile, static_cast<float>(64 * x), static_cast<float>(64 * y), 0);
                SetDrawColour(255, 255, 255);
            }
        }
    }
    SetDrawOrigin(0, 0);
    if (KeyHeld(KeyM) != 0) {
        DrawMiniMapOverlay(PlayerCar->positionX, PlayerCar->positionY);
    }
    return 0;
}

void DrawSewerArrow(float carX, float carY) {
    // From the sewer cell's corner to the car, turned round: a - 90 points
    // from the car to the corner. Deliberately not wrapped.
    const float a = AngleTo(static_cast<float>(64 * SewerPoint.x),
                            static_cast<float>(64 * SewerPoint.y), carX, carY) +
                    180.0f + 90.0f;
    SetDrawOrigin(0, 0);
    SetDrawRotation(a);
    DrawImageFrame(*ArrowImage, static_cast<float>(80.0 + 20.0 * SinDeg(a)),
                   static_cast<float>(60.0 + 20.0 * CosDeg(a)), 0);
    SetDrawRotation(0);
}

void DrawDamageBar(int32_t damage) {
    SetDrawColour(0, 32, 0);
    FillRect(5, 5, 50, 5);
    SetDrawColour(0, 255, 0);
    FillRect(5, 5, static_cast<float>((100 - damage) / 2), 5);
}

void OpenGameWindow(int32_t hertz) {
    // Without a window nobody could see the title or press its keys.
    if (!OpenGraphics(800, 600, 0, hertz, 0)) {
        const Text& why = GraphicsFailure();
        RaiseRuntimeError(why.empty() ? Text(u"cant open window") : u"cant open window: " + why);
    }
    SetBlendMode(BlendTranslucent);
    SetLogicalSize(160.0f, 120.0f);
}

void LoadCarStrip() {
    // The car strip alone is named relative to the working directory, which
    // the start-up made the program's own directory.
    const Text path = u"img/cars.png";
    CarStrip = Required(LoadImageStrip(path, 6, 11, 0, 6, 0), path);
    CentreImageOffset(*CarStrip);
}

void LoadArrowAndSewer() {
    const Text arrowPath = WorkingDirectory() + u"/img/arrow.png";
    const Text sewerPath = WorkingDirectory() + u"/img/sewer.png";
    ArrowImage = Required(LoadImageFile(arrowPath, 0), arrowPath);
    SewerImage = Required(LoadImageFile(sewerPath, 0), sewerPath);
    CentreImageOffset(*SewerImage);
    CentreImageOffset(*ArrowImage);
}

void LoadEngineSound() {
    EngineSound = RequiredSound(WorkingDirectory() + u"/car2.wav", SoundLoops);
    EngineChannel = AudioCueSound(EngineSound, nullptr);
}

void LoadCrashSound() {
    CrashSound = RequiredSound(WorkingDirectory() + u"/explo.wav", 0);
    CrashChannel = AudioCueSound(CrashSound, nullptr);
}

void LoadPedestrianPicture() {
    const Text path = WorkingDirectory() + u"/img/pede.png";
    PedImage = Required(LoadImageStrip(path, 8, 8, 0, 2, 0), path);
    CentreImageOffset(*PedImage);
}

void StartEngineSound() {
    SetDrawColour(255, 255, 255);
    AudioResumeChannel(EngineChannel);
}

void StartNextGame(int32_t seed) {
    // The start-up's own steps for the city and what lives in it, in its
    // order, so that the seed gives the city, car and pedestrians it gives
    // at start-up. The old lists, car and minimap go with their last
    // references.
    SeedRandom(seed);
    CopList = MakeEmptyList<tFakeCar>();
    PedList = MakeEmptyList<tPed>();
    CreateCityGrids();
    BuildWorld(ImageLibrary);
    BuildMiniMap();
    CreatePlayerCar();
    SpawnPedestrians();
    FrameCount = 0;
    // The lose screen left the crash rumbling at a fifth of its rate, which
    // the channel would keep for every crash to come.
    AudioStopChannel(CrashChannel);
    AudioSetRate(CrashChannel, 1.0f);
    // The screens stopped the engine, and a stopped channel holds no sound:
    // it is cued again, on the same channel.
    EngineChannel = AudioCueSound(EngineSound, EngineChannel);
    // A police car called or a pause asked for on the end screen would
    // otherwise greet the new game.
    TakeKeyPresses(KeyC);
    TakePausePress();
    StartEngineSound();
}

void StartGame(int32_t hertz, int32_t seed) {
    CreateCityGrids();
    SetProgramTitle(GameTitle);
    SeedRandom(seed);
    OpenGameWindow(hertz);
    LoadCarStrip();
    CopList = MakeEmptyList<tFakeCar>();
    LoadArrowAndSewer();
    LoadEngineSound();
    LoadCrashSound();
    PedList = MakeEmptyList<tPed>();
    LoadImageLibrary();
    BuildWorld(ImageLibrary);
    BuildMiniMap();
    CreatePlayerCar();
    LoadPedestrianPicture();
    SpawnPedestrians();
    TitleScreen();
    // A controller's Start that left the title also pressed Pause.
    TakePausePress();
    StartEngineSound();
}

void RunFrame() {
    ClearScreen();
    CrashSoundRequested = 0;
    DrawWorld();
    UpdateAndDrawCops();
    DrawSewer();
    PlayerCar->Draw();
    if (TakeKeyPresses(KeyC) != 0) {
        CopList->AddLast(
            SpawnCop(TruncToInt(PlayerCar->positionX) / 64, TruncToInt(PlayerCar->positionY) / 64));
    }
    if (KeyHeld(KeyLeftControl) == 0) {
        PlayerCar->ControlViaKeys();
    }
    PlayerCar->UpdatePhysics();
    PlayerCar->update_Collision();
    ViewOffsetX = 80.0f - PlayerCar->positionX;
    ViewOffsetY = 60.0f - PlayerCar->positionY;
    UpdateAndDrawPedestrians();
    if (CrashSoundRequested == 1) {
        // However many rams this frame, the crash restarts once.
        AudioStopChannel(CrashChannel);
        AudioPlaySound(CrashSound, CrashChannel);
    }
    DrawSewerArrow(PlayerCar->positionX, PlayerCar->positionY);
    DrawDamageBar(PlayerCar->Damage);
    if (FrameCount % 4 == 0) {
        AudioSetRate(EngineChannel, PlayerCar->pRate);
    }
    if (FrameCount < OpeningMessageFrames) {
        DrawStartMessages();
    }
    ++FrameCount;
    PresentPlayFrame();
}

void RunFrameLoop(const TSeedSource& nextSeed) {
    while (TakeKeyPresses(KeyEscape) == 0) {
        try {
            RunFrame();
        } catch (const TPlayAgain&) {
            StartNextGame(nextSeed());
        }
    }
}

void RunGame() {
    StartGame(60, MillisecondClock());
    RunFrameLoop();
}

#include "game/screens.h"

#include "audio/audio.h"
#include "audio/channel.h"
#include "game/globals.h"
#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "graphics/image_drawing.h"
#include "graphics/image_loading.h"
#include "graphics/text_drawing.h"
#include "io/directory.h"
#include "system/input_state.h"
#include "system/key_codes.h"
#include "system/program_exit.h"
#include "util/random.h"
#include "util/runtime_error.h"
#include "world/city.h"

namespace {

// The screens' pictures are loaded as each screen starts and held only by
// its loop; without its picture a screen cannot be shown at all.
std::shared_ptr<TImage> LoadScreenPicture(const Text& path) {
    auto image = LoadImageFile(WorkingDirectory() + path, 0);
    if (!image) {
        RaiseRuntimeError(u"cant find image");
    }
    return image;
}

void ThrowToStandIn(TEndScreen screen) {
    if (EndScreenStandIn) {
        EndScreenStandIn(screen);
        throw TEndScreenOpened{screen};
    }
}

// Only a press made while the screen shows asks for another game: Space
// does nothing during play, so presses may be waiting from then.
void ForgetEarlierSpacePresses() {
    TakeKeyPresses(KeySpace);
}

void PlayAgainOnSpace() {
    if (TakeKeyPresses(KeySpace) != 0) {
        throw TPlayAgain{};
    }
}
} // namespace

void EndProgramOnEscape() {
    if (TakeKeyPresses(KeyEscape) != 0) {
        EndProgram();
    }
}

std::function<void(TEndScreen)> EndScreenStandIn;

int32_t TitleScreen() {
    const auto logo = LoadScreenPicture(u"/img/logo.png");
    while (true) {
        ClearScreen();
        DrawImageFrame(*logo, 0, 0, 0);
        if (TakeKeyPresses(KeySpace) != 0) {
            return 0;
        }
        EndProgramOnEscape();
        // The colour picked here tints the logo of the next pass: a flicker
        // in random light greys. Blue's jitter is drawn first.
        const int32_t base = RandomInt(128, 240);
        const int32_t jitterBlue = RandomInt(-15, 15);
        const int32_t jitterGreen = RandomInt(-15, 15);
        const int32_t jitterRed = RandomInt(-15, 15);
        SetDrawColour(base + jitterRed, base + jitterGreen, base + jitterBlue);
        PresentFrame(-1);
    }
}

void LoseScreen() {
    ThrowToStandIn(TEndScreen::Lose);
    const auto picture = LoadScreenPicture(u"/img/end.png");
    if (EngineChannel) {
        EngineChannel->Stop();
    }
    AudioSetRate(CrashChannel, 0.2f);
    AudioPlaySound(CrashSound, CrashChannel);
    ForgetEarlierSpacePresses();
    // No colour is set: the picture and the text keep the colour of play.
    while (true) {
        ClearScreen();
        DrawImageFrame(*picture, 0, 0, 0);
        PlayAgainOnSpace();
        EndProgramOnEscape();
        const int32_t dy = RandomInt(3, 1);
        const int32_t dx = RandomInt(3, 1);
        DrawString(u"You Lose!", static_cast<float>(30 + dx), static_cast<float>(10 + dy));
        PresentFrame(-1);
    }
}

void WinScreen() {
    ThrowToStandIn(TEndScreen::Win);
    const auto picture = LoadScreenPicture(u"/img/win.png");
    if (EngineChannel) {
        EngineChannel->Stop();
    }
    ForgetEarlierSpacePresses();
    while (true) {
        ClearScreen();
        SetDrawColour(255, 255, 255);
        DrawImageFrame(*picture, 0, 0, 0);
        PlayAgainOnSpace();
        EndProgramOnEscape();
        const int32_t base = RandomInt(128, 240);
        const int32_t green = base + RandomInt(-15, 15);
        SetDrawColour(0, green, 0);
        DrawString(u"You escaped!", 10, 10);
        PresentFrame(-1);
    }
}

int32_t DrawStartMessages() {
    SetDrawColour(255, 0, 0);
    DrawString(u"We got the money!", 0, 10);
    DrawString(u"Get to the Sewer!", 0, 20);
    SetDrawColour(255, 255, 255);
    return 0;
}

void DrawMiniMapOverlay(float carX, float carY) {
    if (MiniMapImage) {
        DrawImageFrame(*MiniMapImage, 0, 0, 0);
    }
    SetDrawColour(0, 0, 255);
    FillRect(static_cast<float>(StartPoint.x), static_cast<float>(StartPoint.y), 1, 1);
    SetDrawColour(255, 0, 0);
    FillRect(static_cast<float>(SewerPoint.x), static_cast<float>(SewerPoint.y), 1, 1);
    // Divided as floats, so the dot glides between cells instead of jumping.
    SetDrawColour(0, 255, 0);
    FillRect(carX / 64.0f, carY / 64.0f, 1, 1);
    SetDrawColour(255, 255, 255);
    SetDrawScale(1, 1);
}

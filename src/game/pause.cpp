#include "game/pause.h"

#include "audio/audio.h"
#include "game/globals.h"
#include "game/screens.h"
#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "graphics/text_drawing.h"
#include "system/input_state.h"
#include "system/key_codes.h"

#include <memory>

namespace {

constexpr float DimmingAlpha = 0.6f;

void DrawCentred(const Text& text, float y) {
    DrawString(text, (LogicalWidth() - static_cast<float>(TextWidth(text))) / 2.0f, y);
}

// Passes of the paused screen until P or Pause: the resume is tested first,
// and the pass that sees it presents nothing, so play goes on at once.
void StayPaused(const TPixmap* frame) {
    while (!TakePausePress()) {
        EndProgramOnEscape();
        DrawPausedFrame(frame);
        PresentFrame(-1);
    }
}

} // namespace

// The colour and alpha are given back so that the first frame after the
// pause is drawn as it would have been without it.
void DrawPausedFrame(const TPixmap* frame) {
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
    GetDrawColour(red, green, blue);
    const float alpha = GetDrawAlpha();

    ClearScreen();
    if (frame) {
        DrawPixmap(*frame, 0, 0);
    }
    SetDrawColour(0, 0, 0);
    SetDrawAlpha(DimmingAlpha);
    FillRect(0, 0, LogicalWidth(), LogicalHeight());
    SetDrawAlpha(1.0f);
    const float middle = LogicalHeight() / 2.0f;
    const auto lineHeight = static_cast<float>(TextHeight());
    SetDrawColour(255, 255, 255);
    DrawCentred(u"PAUSED", middle - lineHeight);
    SetDrawColour(192, 192, 192);
    DrawCentred(u"P or Pause: resume", middle + lineHeight / 2.0f);

    SetDrawColour(red, green, blue);
    SetDrawAlpha(alpha);
}

bool TakePausePress() {
    const bool p = TakeKeyPresses(KeyP) != 0;
    const bool pause = TakeKeyPresses(KeyPause) != 0;
    return p || pause;
}

void PresentPlayFrame() {
    if (!TakePausePress()) {
        PresentFrame(-1);
        return;
    }
    // Read back before it is presented: afterwards the back buffer holds
    // nothing that can be relied on.
    const std::shared_ptr<TPixmap> frame = GrabPixmap(0, 0, GraphicsWidth(), GraphicsHeight());
    PresentFrame(-1);
    AudioPauseChannel(EngineChannel);
    StayPaused(frame.get());
    AudioResumeChannel(EngineChannel);
}

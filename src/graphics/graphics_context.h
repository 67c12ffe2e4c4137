#pragma once

// The driver-neutral graphics layer: the current driver and graphics, the
// display modes, and the one window the game opens and presents paced frames
// in. Everything acts on the current driver and graphics.

#include "graphics/graphics_driver.h"
#include "graphics/graphics_flags.h"
#include "graphics/graphics_mode.h"
#include "util/text.h"

#include <cstdint>
#include <memory>
#include <vector>

// Makes `driver` current (telling the old one to drop its current graphics),
// stores the flags OR-ed into every creation, and leaves no graphics current.
void SelectGraphicsDriver(std::shared_ptr<TGraphicsDriver> driver, int32_t defaultFlags);
const std::shared_ptr<TGraphicsDriver>& CurrentGraphicsDriver();

// The current driver's modes, asked for once and kept until the driver changes.
const std::vector<TGraphicsMode>& ListGraphicsModes();
int32_t CountGraphicsModes();
// The mode at `index`, or an all-zero mode outside the list.
TGraphicsMode GetGraphicsMode(int32_t index);
// 1 when some mode matches every argument that is not 0, else 0.
int32_t GraphicsModeAvailable(int32_t width, int32_t height, int32_t depth, int32_t hertz);

// A new graphics from the current driver, or null: a failure of any kind,
// raised errors included, gives null and never an error to the caller.
std::shared_ptr<TGraphics> CreateGraphicsContext(int32_t width, int32_t height, int32_t depth,
                                                 int32_t hertz, int32_t flags);
// Why the latest CreateGraphicsContext (or OpenGraphics) gave null: the
// message of the runtime error the driver raised, empty when it gave none.
const Text& GraphicsFailure();
// Closes `graphics`, first making nothing current if it was current. Taken
// by value: the caller's reference may be the very slot this clears.
void CloseGraphicsContext(std::shared_ptr<TGraphics> graphics);

// Makes `graphics` current, switching to its driver if need be; null makes
// nothing current.
void SelectGraphics(const std::shared_ptr<TGraphics>& graphics);
const std::shared_ptr<TGraphics>& CurrentGraphics();

// The settings of the current graphics, all 0 when none is current.
int32_t GraphicsWidth();
int32_t GraphicsHeight();
int32_t GraphicsDepth();
int32_t GraphicsHertz();
int32_t GraphicsFlags();

// Closes any graphics opened before, then opens a window (depth 0) or a full
// screen (depth in bits per pixel), makes it current, arms the pacing for
// `hertz` and starts input tracking. Null when the driver could make none.
std::shared_ptr<TGraphics> OpenGraphics(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                                        int32_t flags);
// Closes the graphics of OpenGraphics, if any, and stops input tracking.
// Runs by itself at program exit.
void EndGraphics();

// Presents the frame. -1 paces it: a window opened with a rate sleeps until
// its next frame slot before the swap, a full screen with a rate waits for
// the vertical retrace. 0 and 1 go to the driver's Flip as they are.
void PresentFrame(int32_t sync);

// Changes whenever graphics are opened or closed or the driver changes, and
// is never 0: what was made for one generation is lost in the next.
int32_t ContextGeneration();

// The hook chain run at the start of every PresentFrame, with null data.
int32_t FlipHook();

#include "graphics/native/gl_graphics.h"

#include "graphics/native/native_context.h"

namespace {

constexpr int32_t MaxListedModes = 1024;

} // namespace

TGLGraphics::~TGLGraphics() {
    Close();
}

std::shared_ptr<TGraphicsDriver> TGLGraphics::Driver() const {
    return GLGraphicsDriver();
}

TGraphicsSettings TGLGraphics::GetSettings() const {
    return NativeContextSettings(_context);
}

void TGLGraphics::Close() {
    if (_context != 0) {
        CloseNativeContext(_context);
        _context = 0;
    }
}

std::vector<TGraphicsMode> TGLGraphicsDriver::GraphicsModes() {
    return ListNativeModes(MaxListedModes);
}

std::shared_ptr<TGraphics> TGLGraphicsDriver::CreateGraphics(int32_t width, int32_t height,
                                                             int32_t depth, int32_t hertz,
                                                             int32_t flags) {
    const int32_t context = CreateWindowContext(width, height, depth, hertz, flags);
    return context != 0 ? std::make_shared<TGLGraphics>(context) : nullptr;
}

void TGLGraphicsDriver::SetGraphics(const std::shared_ptr<TGraphics>& graphics) {
    const auto* gl = dynamic_cast<const TGLGraphics*>(graphics.get());
    MakeNativeContextCurrent(gl ? gl->Context() : 0);
}

void TGLGraphicsDriver::Flip(int32_t sync) {
    NativeFlip(sync);
}

const std::shared_ptr<TGLGraphicsDriver>& GLGraphicsDriver() {
    static const auto driver = std::make_shared<TGLGraphicsDriver>();
    return driver;
}

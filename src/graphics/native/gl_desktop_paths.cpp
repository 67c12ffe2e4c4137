#include "graphics/native/gl_paths.h"
#include "graphics/texture_layout.h"
#include "util/runtime_error.h"

#include <GL/gl.h>

void FitTextureSize(int32_t& width, int32_t& height) {
    for (;;) {
        glTexImage2D(GL_PROXY_TEXTURE_2D, 0, 4, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
        GLint accepted = 0;
        glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &accepted);
        if (accepted != 0) {
            return;
        }
        if (width == 1 && height == 1) {
            RaiseRuntimeError(u"Unable to calculate tex size");
        }
        NextMipmapSize(width, height);
    }
}

void DrawPixelRows(const TPixmap& rgba, int32_t x, int32_t y, const TPixelRowPlacement& placement) {
    // The raster position starts at the picture's top-left corner; glBitmap
    // moves it by drawable pixels, whatever the logical size. Rows are drawn
    // downwards from there, each window pixel as large as it is shown.
    const float zoomX = placement.drawablePerWindowX;
    const float zoomY = placement.drawablePerWindowY;
    glDisable(GL_TEXTURE_2D);
    glPixelZoom(zoomX, -zoomY);
    glRasterPos2i(0, 0);
    glBitmap(0, 0, 0, 0, static_cast<float>(x) * zoomX, static_cast<float>(-y) * zoomY, nullptr);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rgba.pitch / 4);
    glDrawPixels(rgba.width, rgba.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelZoom(1.0f, 1.0f);
}

void DrawLineSegment(TDrawPoint from, TDrawPoint to, float, const TPixelRowPlacement&) {
    // The width is OpenGL's own line width, set by ApplyLineWidth.
    glBegin(GL_LINES);
    glVertex2f(from.x, from.y);
    glVertex2f(to.x, to.y);
    glEnd();
}

void ApplyLineWidth(float drawableWidth) {
    glLineWidth(drawableWidth);
}

unsigned ConvexFillPrimitive() {
    return GL_POLYGON;
}

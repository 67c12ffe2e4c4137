#include "graphics/native/gl_paths.h"
#include "graphics/texture_layout.h"
#include "util/runtime_error.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// The one texture that pixel rows are shown through, made on first use and
// kept: rows are drawn every frame while the game is paused.
GLuint RowTexture() {
    static GLuint name = 0;
    if (name == 0) {
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    }
    return name;
}

} // namespace

void FitTextureSize(int32_t& width, int32_t& height) {
    // WebGL has no proxy textures; its largest size is a plain limit.
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    while (width > largest || height > largest) {
        if (width == 1 && height == 1) {
            RaiseRuntimeError(u"Unable to calculate tex size");
        }
        NextMipmapSize(width, height);
    }
}

void DrawPixelRows(const TPixmap& rgba, int32_t x, int32_t y, const TPixelRowPlacement& placement) {
    // A quad textured with the rows, texel for window pixel, in white so
    // that the drawing colour leaves them as they are.
    glBindTexture(GL_TEXTURE_2D, RowTexture());
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rgba.pitch / 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, rgba.width, rgba.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba.pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    const float left = static_cast<float>(x) * placement.unitsPerWindowX;
    const float top = static_cast<float>(y) * placement.unitsPerWindowY;
    const float right = static_cast<float>(x + rgba.width) * placement.unitsPerWindowX;
    const float bottom = static_cast<float>(y + rgba.height) * placement.unitsPerWindowY;
    glEnable(GL_TEXTURE_2D);
    glColor4ub(255, 255, 255, 255);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(left, top);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(right, top);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(right, bottom);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(left, bottom);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

void DrawLineSegment(TDrawPoint from, TDrawPoint to, float drawableWidth,
                     const TPixelRowPlacement& placement) {
    if (drawableWidth <= 1.0f) {
        glBegin(GL_LINES);
        glVertex2f(from.x, from.y);
        glVertex2f(to.x, to.y);
        glEnd();
        return;
    }
    // WebGL draws no line wider than a pixel: a quad as wide as the line
    // would be, along it, in the projection's units.
    const float unitsX = placement.unitsPerWindowX / placement.drawablePerWindowX;
    const float unitsY = placement.unitsPerWindowY / placement.drawablePerWindowY;
    // The direction in drawable pixels, so that the width is the same
    // whatever the line's angle on a surface scaled unevenly.
    const float dx = (to.x - from.x) / unitsX;
    const float dy = (to.y - from.y) / unitsY;
    const float length = std::hypot(dx, dy);
    if (length == 0.0f) {
        return;
    }
    const float half = drawableWidth / 2.0f;
    const float offsetX = -dy / length * half * unitsX;
    const float offsetY = dx / length * half * unitsY;
    glBegin(GL_QUADS);
    glVertex2f(from.x + offsetX, from.y + offsetY);
    glVertex2f(to.x + offsetX, to.y + offsetY);
    glVertex2f(to.x - offsetX, to.y - offsetY);
    glVertex2f(from.x - offsetX, from.y - offsetY);
    glEnd();
}

void ApplyLineWidth(float) {
    // Lines wider than a pixel are quads (DrawLineSegment).
}

unsigned ConvexFillPrimitive() {
    // A convex outline fans out from its first vertex exactly as a polygon
    // would fill.
    return GL_TRIANGLE_FAN;
}

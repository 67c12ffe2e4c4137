#include "graphics/draw_transform.h"

#include "util/numeric.h"

TDrawTransform TDrawTransform::FromRotationScale(float degrees, float scaleX, float scaleY) {
    const double s = SinDeg(degrees);
    const double c = CosDeg(degrees);
    return {static_cast<float>(c * scaleX), static_cast<float>(-s * scaleY),
            static_cast<float>(s * scaleX), static_cast<float>(c * scaleY)};
}

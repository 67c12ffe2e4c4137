#include "graphics/native/dead_textures.h"

#include "graphics/graphics_context.h"
#include "graphics/native/gl_draw2d_driver.h"

#include <GL/gl.h>

#include <vector>

namespace {

struct TDeadTextures {
    std::vector<GLuint> names;
    int32_t generation = 0;
};

// Deliberately never destroyed: images released during static destruction
// still bury their textures here.
TDeadTextures& Dead() {
    static auto* dead = new TDeadTextures;
    return *dead;
}

} // namespace

void BuryTexture(uint32_t name, int32_t generation) {
    auto& dead = Dead();
    if (generation == dead.generation) {
        dead.names.push_back(name);
    }
}

void DeleteDeadTextures() {
    auto& dead = Dead();
    const int32_t generation = ContextGeneration();
    if (dead.generation == generation && !dead.names.empty()) {
        glDeleteTextures(static_cast<GLsizei>(dead.names.size()), dead.names.data());
        for (const GLuint name : dead.names) {
            GLDraw2DDriver()->ForgetTexture(name);
        }
    }
    dead.names.clear();
    dead.generation = generation;
}

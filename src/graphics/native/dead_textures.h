#pragma once

// Texture names whose frames are gone. They are deleted at the next texture
// creation, when the context they belong to is certainly current; names of a
// context generation that has ended died with their context and are only
// forgotten.

#include <cstdint>

// Keeps the name for deletion if it belongs to the generation the list is
// collecting for, and forgets it otherwise.
void BuryTexture(uint32_t name, int32_t generation);

// Before a texture is made: deletes the kept names if they belong to the
// current context generation, then starts collecting for that generation.
void DeleteDeadTextures();

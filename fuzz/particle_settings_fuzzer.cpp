// Arbitrary bytes as a particle settings file: read line by line as the
// settings reader does, each line applied to an emitter (pictures skipped,
// so that no file is opened), then a burst and a step of the particles with
// whatever values the lines gave.

#include "effects/particle_emitter.h"
#include "effects/particle_settings.h"
#include "io/memory_stream.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ParticleEmitter emitter;
    TRamStream stream(data, static_cast<int64_t>(size));
    while (!stream.Eof()) {
        ApplyParticleSetting(emitter, stream.ReadLine(), 1);
    }
    emitter.DoBurst(10, 10, 0);
    emitter.Update(0.5f);
    return 0;
}

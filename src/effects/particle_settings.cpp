#include "effects/particle_settings.h"

#include "effects/particle_emitter.h"
#include "graphics/image_loading.h"
#include "io/stream_open.h"

#include <array>

namespace {

using TSetter = void (*)(ParticleEmitter&, const Text&);

struct TSettingKey {
    const char16_t* key;
    TSetter apply;
};

const std::array<TSettingKey, 17> SettingKeys{{
    {u"point_weight", [](ParticleEmitter& e, const Text& v) { e.m_fPointWeight = TextToFloat(v); }},
    {u"point_scalefactor",
     [](ParticleEmitter& e, const Text& v) { e.m_fScaleFactor = TextToFloat(v); }},
    {u"point_scale",
     [](ParticleEmitter& e, const Text& v) { e.m_baseParticle.m_fScale = TextToFloat(v); }},
    {u"point_rotationfactor",
     [](ParticleEmitter& e, const Text& v) { e.m_fRotationFactor = TextToFloat(v); }},
    {u"point_velocity_min",
     [](ParticleEmitter& e, const Text& v) { e.m_fVelocityMin = TextToFloat(v); }},
    {u"point_velocity_max",
     [](ParticleEmitter& e, const Text& v) { e.m_fVelocityMax = TextToFloat(v); }},
    {u"point_redfactor",
     [](ParticleEmitter& e, const Text& v) { e.m_fRedFactor = TextToFloat(v); }},
    {u"point_red",
     [](ParticleEmitter& e, const Text& v) { e.m_baseParticle.m_fRed = TextToFloat(v); }},
    {u"point_greenfactor",
     [](ParticleEmitter& e, const Text& v) { e.m_fGreenFactor = TextToFloat(v); }},
    {u"point_green",
     [](ParticleEmitter& e, const Text& v) { e.m_baseParticle.m_fGreen = TextToFloat(v); }},
    {u"point_bluefactor",
     [](ParticleEmitter& e, const Text& v) { e.m_fBlueFactor = TextToFloat(v); }},
    {u"point_blue",
     [](ParticleEmitter& e, const Text& v) { e.m_baseParticle.m_fBlue = TextToFloat(v); }},
    {u"point_alphafactor",
     [](ParticleEmitter& e, const Text& v) { e.m_fAlphaFactor = TextToFloat(v); }},
    {u"point_alpha",
     [](ParticleEmitter& e, const Text& v) { e.m_baseParticle.m_fAlpha = TextToFloat(v); }},
    {u"emitter_particles_per_burst",
     [](ParticleEmitter& e, const Text& v) { e.m_iParticlesPerBurst = TextToInt(v); }},
    {u"xhandle", [](ParticleEmitter& e, const Text& v) { e.m_iXHandle = TextToInt(v); }},
    {u"yhandle", [](ParticleEmitter& e, const Text& v) { e.m_iYHandle = TextToInt(v); }},
}};

} // namespace

void ApplyParticleSetting(ParticleEmitter& emitter, const Text& line, int32_t skipImage) {
    if (line.empty() || line.front() == u'\'') {
        return;
    }
    const auto equals = line.find(u'=');
    if (equals == Text::npos) {
        return;
    }
    const Text key = line.substr(0, equals);
    const Text value = line.substr(equals + 1);
    if (key == u"image") {
        // The value is the path as it stands; a picture that cannot be
        // loaded leaves the emitter without one.
        if (skipImage == 0) {
            emitter.m_Image = LoadImageFile(value, ImageSmooth);
        }
        return;
    }
    for (const auto& setting : SettingKeys) {
        if (key == setting.key) {
            setting.apply(emitter, value);
            return;
        }
    }
}

void ReadParticleSettings(ParticleEmitter& emitter, const Text& file, int32_t skipImage) {
    const auto stream = FileOpenRead(file);
    while (!Eof(stream)) {
        const int64_t before = stream->Pos();
        ApplyParticleSetting(emitter, ReadLine(stream), skipImage);
        // A read error short of the end leaves the position where it was;
        // without this the loop would never end.
        if (stream->Pos() == before) {
            break;
        }
    }
    CloseStream(stream);
}

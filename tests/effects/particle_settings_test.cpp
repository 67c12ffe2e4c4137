// Reading an emitter's settings file: every key, and how exactly keys and
// values are matched.

#include "effects/particle_emitter.h"
#include "game/program_directory.h"
#include "pixmap/png_writer.h"
#include "util/utf8.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

class ParticleSettingsTest : public ::testing::Test {
protected:
    // Writes the settings file and gives its path.
    Text Settings(const std::string& content) const {
        const auto path = program.Path("fx.txt");
        std::ofstream(path, std::ios::binary) << content;
        return Utf8ToText(path.string());
    }

    Text Picture(const std::string& name, int32_t width, int32_t height) const {
        auto pixmap = CreatePixmap(width, height, FormatRGBA8888);
        pixmap->ClearPixels(0xFFFFFFFF);
        const Text path = Utf8ToText(program.Path(name).string());
        EXPECT_TRUE(SavePixmapPNG(*pixmap, path, 6));
        return path;
    }

    TScratchProgramDirectory program;
};

void ExpectConstructionValues(const ParticleEmitter& e) {
    EXPECT_EQ(e.m_fPointWeight, 1.0f);
    EXPECT_EQ(e.m_fScaleFactor, -0.2f);
    EXPECT_EQ(e.m_fRotationFactor, 720.0f);
    EXPECT_EQ(e.m_fVelocityMin, 9.0f);
    EXPECT_EQ(e.m_fVelocityMax, 100.0f);
    EXPECT_EQ(e.m_fRedFactor, 0.0f);
    EXPECT_EQ(e.m_fBlueFactor, 0.0f);
    EXPECT_EQ(e.m_fGreenFactor, 0.0f);
    EXPECT_EQ(e.m_fAlphaFactor, -1.0f);
    EXPECT_EQ(e.m_iParticlesPerBurst, 20);
    EXPECT_EQ(e.m_iXHandle, 0);
    EXPECT_EQ(e.m_iYHandle, 0);
    EXPECT_EQ(e.m_baseParticle.m_fScale, 0.0f);
    EXPECT_EQ(e.m_baseParticle.m_fAlpha, 0.0f);
    EXPECT_EQ(e.m_baseParticle.m_fRed, 0.0f);
    EXPECT_EQ(e.m_Image, nullptr);
    EXPECT_EQ(e.m_freeParticles.Count(), ParticleEmitter::PoolSize);
    EXPECT_TRUE(e.m_liveParticles.IsEmpty());
}

} // namespace

TEST_F(ParticleSettingsTest, EveryKeySetsItsField) {
    const Text image = Picture("spark.png", 6, 4);
    const auto e = ParticleEmitter::Create(Settings("point_weight=2.5\n"
                                                    "point_scalefactor=-0.5\n"
                                                    "point_scale=0.75\n"
                                                    "point_rotationfactor=90\n"
                                                    "point_velocity_min=-3\n"
                                                    "point_velocity_max=4\n"
                                                    "point_redfactor=0.1\n"
                                                    "point_red=0.2\n"
                                                    "point_greenfactor=0.3\n"
                                                    "point_green=0.4\n"
                                                    "point_bluefactor=0.5\n"
                                                    "point_blue=0.6\n"
                                                    "point_alphafactor=-2\n"
                                                    "point_alpha=0.9\n"
                                                    "emitter_particles_per_burst=7\n"
                                                    "xhandle=3\r\n"
                                                    "yhandle=2\r\n"
                                                    "image=" +
                                                    TextToUtf8(image) + "\n"),
                                           0);
    EXPECT_EQ(e->m_fPointWeight, 2.5f);
    EXPECT_EQ(e->m_fScaleFactor, -0.5f);
    EXPECT_EQ(e->m_baseParticle.m_fScale, 0.75f);
    EXPECT_EQ(e->m_fRotationFactor, 90.0f);
    EXPECT_EQ(e->m_fVelocityMin, -3.0f);
    EXPECT_EQ(e->m_fVelocityMax, 4.0f);
    EXPECT_EQ(e->m_fRedFactor, 0.1f);
    EXPECT_EQ(e->m_baseParticle.m_fRed, 0.2f);
    EXPECT_EQ(e->m_fGreenFactor, 0.3f);
    EXPECT_EQ(e->m_baseParticle.m_fGreen, 0.4f);
    EXPECT_EQ(e->m_fBlueFactor, 0.5f);
    EXPECT_EQ(e->m_baseParticle.m_fBlue, 0.6f);
    EXPECT_EQ(e->m_fAlphaFactor, -2.0f);
    EXPECT_EQ(e->m_baseParticle.m_fAlpha, 0.9f);
    EXPECT_EQ(e->m_iParticlesPerBurst, 7);
    EXPECT_EQ(e->m_iXHandle, 3);
    EXPECT_EQ(e->m_iYHandle, 2);
    ASSERT_TRUE(e->m_Image);
    EXPECT_EQ(e->m_Image->width, 6);
    EXPECT_EQ(e->m_Image->flags, ImageSmooth);
    // The handle is given once the whole file has been read.
    EXPECT_EQ(e->m_Image->handle_x, 3.0f);
    EXPECT_EQ(e->m_Image->handle_y, 2.0f);
    // Nothing the file says reaches the parts of the template it cannot name.
    EXPECT_EQ(e->m_baseParticle.m_fAge, 0.0f);
    EXPECT_EQ(e->m_baseParticle.m_fVelocityX, 0.0f);
    EXPECT_EQ(e->m_baseParticle.m_fX, 0.0f);
}

TEST_F(ParticleSettingsTest, KeysMatchExactlyAndValuesReadAsFarAsTheyAreNumbers) {
    const auto e = ParticleEmitter::Create(Settings(" point_weight=5\n"
                                                    "Point_weight=6\n"
                                                    "point_weight =7\n"
                                                    "'point_red=1\n"
                                                    "point_green 1\n"
                                                    "\n"
                                                    "point_velocity_min= 3\n"
                                                    "point_velocity_max=2=3\n"
                                                    "point_rotationfactor=\n"
                                                    "point_alpha=0.25 'half\n"
                                                    "emitter_particles_per_burst=x9\n"
                                                    "xhandle=4\n"
                                                    "xhandle=8\n"
                                                    "unknown=1"),
                                           0);
    EXPECT_EQ(e->m_fPointWeight, 1.0f);
    EXPECT_EQ(e->m_baseParticle.m_fRed, 0.0f);
    EXPECT_EQ(e->m_baseParticle.m_fGreen, 0.0f);
    EXPECT_EQ(e->m_fVelocityMin, 3.0f);
    EXPECT_EQ(e->m_fVelocityMax, 2.0f);
    EXPECT_EQ(e->m_fRotationFactor, 0.0f);
    EXPECT_EQ(e->m_baseParticle.m_fAlpha, 0.25f);
    EXPECT_EQ(e->m_iParticlesPerBurst, 0);
    EXPECT_EQ(e->m_iXHandle, 8);
}

TEST_F(ParticleSettingsTest, ImageLinesCanBeSkippedAndAMissingPictureLeavesNone) {
    const Text image = Picture("spark.png", 6, 4);
    const std::string line = "image=" + TextToUtf8(image) + "\n";
    EXPECT_EQ(ParticleEmitter::Create(Settings(line), 1)->m_Image, nullptr);
    EXPECT_NE(ParticleEmitter::Create(Settings(line), 0)->m_Image, nullptr);
    // The last image line decides, even when its picture does not load.
    EXPECT_EQ(ParticleEmitter::Create(Settings(line + "image=missing.png\n"), 0)->m_Image, nullptr);
}

TEST_F(ParticleSettingsTest, NoFileOrAnUnreadableOneGivesTheConstructionValues) {
    ExpectConstructionValues(*ParticleEmitter::Create(u"", 0));
    ExpectConstructionValues(*ParticleEmitter::Create(u"/no/such/settings.txt", 0));
    // A directory opens as no file at all.
    ExpectConstructionValues(*ParticleEmitter::Create(Utf8ToText(program.Path().string()), 0));
    ExpectConstructionValues(*ParticleEmitter::Create(Settings(""), 0));
}

// The particle pool: bursts, their rate limit, how particles move and fade,
// and what drawing sends to the 2D layer.

#include "effects/particle_emitter.h"
#include "graphics/draw2d.h"
#include "graphics/fake_draw2d_driver.h"
#include "graphics/graphics_context.h"
#include "graphics/image_drawing.h"
#include "graphics/image_loading.h"
#include "util/random.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

namespace {

class ParticleEmitterTest : public ::testing::Test {
protected:
    void SetUp() override {
        SeedRandom(InitialRandomSeed);
        emitter.m_clock = [this] { return now; };
    }

    // Particles that live as long as their alpha lasts.
    void MakeLongLived(float alpha) {
        emitter.m_baseParticle.m_fAlpha = alpha;
        emitter.m_baseParticle.m_fScale = 1.0f;
        emitter.m_fScaleFactor = 0.0f;
    }

    int Live() const { return emitter.m_liveParticles.Count(); }
    int Free() const { return emitter.m_freeParticles.Count(); }

    std::set<Particle*> Pool() const {
        std::set<Particle*> pool;
        for (const auto& p : emitter.m_freeParticles.ToArray()) {
            pool.insert(p.get());
        }
        for (const auto& p : emitter.m_liveParticles.ToArray()) {
            pool.insert(p.get());
        }
        return pool;
    }

    ParticleEmitter emitter;
    int32_t now = 1000;
};

} // namespace

TEST_F(ParticleEmitterTest, ABurstStampsTheTemplateWithRandomVelocitiesInRange) {
    emitter.m_baseParticle.m_fRed = 0.5f;
    emitter.m_baseParticle.m_fAge = 3.0f;
    emitter.m_baseParticle.m_fRotation = 45.0f;
    emitter.m_fVelocityMin = -2.0f;
    emitter.m_fVelocityMax = 6.0f;
    emitter.DoBurst(17, -4, 0);
    ASSERT_EQ(Live(), 20);
    EXPECT_EQ(Free(), ParticleEmitter::PoolSize - 20);
    bool componentsDiffer = false;
    for (const auto& p : emitter.m_liveParticles.ToArray()) {
        EXPECT_EQ(p->m_fX, 17.0f);
        EXPECT_EQ(p->m_fY, -4.0f);
        EXPECT_EQ(p->m_fRed, 0.5f);
        EXPECT_EQ(p->m_fAge, 3.0f);
        EXPECT_EQ(p->m_fRotation, 45.0f);
        EXPECT_GE(p->m_fVelocityX, -2.0f);
        EXPECT_LT(p->m_fVelocityX, 6.0f);
        EXPECT_GE(p->m_fVelocityY, -2.0f);
        EXPECT_LT(p->m_fVelocityY, 6.0f);
        componentsDiffer = componentsDiffer || p->m_fVelocityX != p->m_fVelocityY;
    }
    EXPECT_TRUE(componentsDiffer);
}

TEST_F(ParticleEmitterTest, OneUpdateAgesMovesSlowsPullsDownSpinsAndTints) {
    emitter.m_baseParticle.m_fAlpha = 1.0f;
    emitter.m_baseParticle.m_fScale = 0.5f;
    emitter.m_baseParticle.m_fRed = 0.5f;
    emitter.m_fVelocityMin = 10.0f;
    emitter.m_fVelocityMax = 10.0f;
    emitter.m_fRedFactor = 0.5f;
    emitter.m_fBlueFactor = 0.25f;
    emitter.m_fGreenFactor = -1.0f;
    emitter.m_iParticlesPerBurst = 1;
    emitter.DoBurst(100, 200, 0);
    emitter.Update(0.5f);
    const auto p = emitter.m_liveParticles.First();
    ASSERT_TRUE(p);
    EXPECT_EQ(p->m_fAge, 0.5f);
    EXPECT_EQ(p->m_fAlpha, 0.5f);
    EXPECT_FLOAT_EQ(p->m_fScale, 0.4f);
    EXPECT_EQ(p->m_fRotation, 360.0f);
    EXPECT_EQ(p->m_fX, 105.0f);
    // Moved by 10 * 0.5, then pulled down by age squared times the weight,
    // which the step does not scale.
    EXPECT_EQ(p->m_fY, 205.25f);
    EXPECT_EQ(p->m_fVelocityX, 9.5f);
    EXPECT_EQ(p->m_fVelocityY, 9.5f);
    EXPECT_EQ(p->m_fRed, 0.75f);
    EXPECT_EQ(p->m_fBlue, 0.125f);
    EXPECT_EQ(p->m_fGreen, -0.5f);
}

TEST_F(ParticleEmitterTest, ParticlesReturnToThePoolWhenAlphaOrScaleRunsOut) {
    // Without point_alpha and point_scale the template is invisible, and the
    // first update hands every particle back.
    emitter.DoBurst(0, 0, 0);
    emitter.Update(0.001f);
    EXPECT_EQ(Live(), 0);
    EXPECT_EQ(Free(), ParticleEmitter::PoolSize);

    // Scale 0.5 shrinking by 0.2 a unit lasts 2.5 units when alpha holds out.
    emitter.m_baseParticle.m_fScale = 0.5f;
    emitter.m_baseParticle.m_fAlpha = 1.0f;
    emitter.m_fAlphaFactor = 0.0f;
    emitter.DoBurst(0, 0, 0);
    emitter.Update(1.25f);
    EXPECT_EQ(Live(), 20);
    emitter.Update(1.25f);
    EXPECT_EQ(Live(), 0);

    // Alpha 1 fading by 1 a unit ends the particle after one unit.
    emitter.m_fAlphaFactor = -1.0f;
    emitter.DoBurst(0, 0, 0);
    for (int step = 0; step < 3; ++step) {
        emitter.Update(0.25f);
    }
    EXPECT_EQ(Live(), 20);
    emitter.Update(0.25f);
    EXPECT_EQ(Live(), 0);
    EXPECT_EQ(Free(), ParticleEmitter::PoolSize);
}

TEST_F(ParticleEmitterTest, LimitedBurstsLessThan20MillisecondsApartAreDropped) {
    emitter.DoBurst(0, 0, 1);
    EXPECT_EQ(Live(), 20);
    now = 1019;
    emitter.DoBurst(0, 0, 1);
    EXPECT_EQ(Live(), 20);
    // An unlimited burst neither waits nor moves the reference time.
    emitter.DoBurst(0, 0, 0);
    EXPECT_EQ(Live(), 40);
    EXPECT_EQ(emitter.m_lastBurstTime, 1000);
    now = 1020;
    emitter.DoBurst(0, 0, 1);
    EXPECT_EQ(Live(), 60);
    EXPECT_EQ(emitter.m_lastBurstTime, 1020);
}

TEST_F(ParticleEmitterTest, TheRateLimitSurvivesTheClockWrappingAndReadingNegative) {
    // A clock that has already wrapped past 2^31 must not hold back the first
    // burst against the initial reference of 0.
    now = INT_MIN + 5;
    emitter.DoBurst(0, 0, 1);
    EXPECT_EQ(Live(), 20);

    emitter.m_lastBurstTime = INT_MAX - 5;
    now = INT_MIN + 13; // 19 ms later
    emitter.DoBurst(0, 0, 1);
    EXPECT_EQ(Live(), 20);
    now = INT_MIN + 14; // 20 ms later
    emitter.DoBurst(0, 0, 1);
    EXPECT_EQ(Live(), 40);
}

TEST_F(ParticleEmitterTest, AnExhaustedPoolGivesShortBurstsAndNoNewParticles) {
    const auto pool = Pool();
    ASSERT_EQ(pool.size(), 600u);
    // Bursts of 20 every frame, each particle living 40 frames: the pool
    // runs dry after 30 frames, and only refills as the first bursts die.
    MakeLongLived(40.0f);
    emitter.m_fAlphaFactor = -1.0f;
    std::vector<int> emitted;
    for (int frame = 1; frame <= 42; ++frame) {
        const int before = Live();
        emitter.DoBurst(0, 0, 0);
        emitted.push_back(Live() - before);
        emitter.Update(1.0f);
        ASSERT_EQ(Live() + Free(), 600);
    }
    EXPECT_EQ(emitted[29], 20);
    EXPECT_EQ(emitted[30], 0);
    EXPECT_EQ(emitted[39], 0);
    EXPECT_EQ(emitted[40], 20);
    EXPECT_EQ(Pool(), pool);

    // A burst takes what is left; a burst size of 0 still emits one.
    emitter.m_iParticlesPerBurst = 0;
    const int before = Live();
    emitter.DoBurst(0, 0, 0);
    EXPECT_EQ(Live(), before + 1);
}

TEST_F(ParticleEmitterTest, DrawingGivesEachParticleItsOwnStateOldestFirst) {
    const auto driver = std::make_shared<TFakeDraw2DDriver>();
    SelectGraphicsDriver(driver, ContextDoubleBuffer);
    ASSERT_TRUE(OpenGraphics(800, 600, 0, 60, 0));
    emitter.m_fVelocityMin = emitter.m_fVelocityMax = 0.0f;
    emitter.m_iParticlesPerBurst = 1;
    emitter.m_baseParticle.m_fScale = 2.0f;
    emitter.m_baseParticle.m_fAlpha = 0.5f;
    emitter.m_baseParticle.m_fRed = 1.0f;
    emitter.m_baseParticle.m_fGreen = 0.5f;
    emitter.m_baseParticle.m_fBlue = 0.2f;
    emitter.DoBurst(10, 20, 0);
    emitter.m_baseParticle.m_fScale = 1.0f;
    emitter.DoBurst(30, 40, 0);

    // Without a picture nothing is drawn, though the particles live on.
    driver->calls.clear();
    emitter.Draw();
    EXPECT_TRUE(driver->calls.empty());

    emitter.m_Image = LoadImageFile(CreatePixmap(4, 2, FormatRGBA8888), 0);
    SetImageOffset(*emitter.m_Image, 2, 1);
    SetDrawOrigin(100, 0);
    driver->calls.clear();
    emitter.Draw();
    EXPECT_EQ(driver->calls, (std::vector<std::string>{
                                 "SetTransform 2 -0 0 2", "SetTransform 2 -0 0 2", "SetAlpha 0.5",
                                 "SetColor 255 127 51", "CreateFrame 4 2 0",
                                 "Frame 1 Draw -2 -1 2 1 110 20 0 0 4 2", "SetTransform 1 -0 0 1",
                                 "SetTransform 1 -0 0 1", "SetAlpha 0.5", "SetColor 255 127 51",
                                 "Frame 1 Draw -2 -1 2 1 130 40 0 0 4 2"}));
    EndGraphics();
    SelectGraphicsDriver(nullptr, 0);
}

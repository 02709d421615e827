#include "nodes/PointEmitter.h"
#include "nodes/RectangleEmitter.h"

#include "core/Random.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace
{
// An emitter of class T appending to its own particle array with the usual room of 500.
template <class T> struct Rig
{
	Rig()
	{
		particles.reallocate(500);
		emitter->setParticles(&particles);
	}
	// Runs the emission task count times with the scheduler's period.
	void runTimes(int count, unsigned ms = 30)
	{
		for (int i = 0; i < count; ++i)
			EXPECT_TRUE(emitter->run(ms));
	}

	ParticleArray particles;
	SmartPointer<T> emitter{new T()};
};

using PointRig = Rig<PointEmitter>;
using RectangleRig = Rig<RectangleEmitter>;

struct TimingCase
{
	const char* label;
	irr::core::vector2df pps;
	int runs;
	unsigned ms;
	irr::u32 particles;
	float kept;
};

TEST(EmitterEmission, ParticlesFollowTheGatheredTime)
{
	const float inf = std::numeric_limits<float>::infinity();
	const TimingCase cases[] = {
	    {"three runs of 30 ms gather 90 ms", {10, 10}, 3, 30, 0, 90.0f},
	    {"run 4 emits one particle and keeps 20 ms", {10, 10}, 4, 30, 1, 20.0f},
	    {"ten particles per second of scheduler time", {10, 10}, 100, 30, 30, 0.0f},
	    {"one run of 250 ms emits 2 and keeps 50 ms", {10, 10}, 1, 250, 2, 50.0f},
	    {"a rate of 0 emits nothing", {0, 0}, 10, 30, 0, 300.0f},
	    {"a negative rate emits nothing", {-10, -10}, 10, 30, 0, 300.0f},
	    {"an infinite rate emits nothing", {inf, inf}, 2, 30, 0, 60.0f},
	};
	for (const TimingCase& c : cases)
	{
		PointRig rig;
		rig.emitter->setPPSRange(c.pps);
		rig.runTimes(c.runs, c.ms);
		EXPECT_EQ(rig.particles.size(), c.particles) << c.label;
		EXPECT_NEAR(rig.emitter->getAccumulator(), c.kept, 0.01f) << c.label;
	}
}

TEST(EmitterEmission, AFullArrayTakesTheTimeOfTheDroppedParticles)
{
	PointRig rig;
	rig.particles.set_used(499);
	rig.emitter->run(300);
	EXPECT_EQ(rig.particles.size(), 500u);
	EXPECT_FLOAT_EQ(rig.emitter->getAccumulator(), 0.0f);
	EXPECT_EQ(rig.particles.allocated_size(), 500u);
	rig.emitter->run(300);
	EXPECT_EQ(rig.particles.size(), 500u);
}

TEST(EmitterEmission, WithoutParticleArrayTheTaskStops)
{
	SmartPointer<PointEmitter> emitter(new PointEmitter());
	EXPECT_FALSE(emitter->run(30));
	SmartPointer<BaseEmitter> base(new BaseEmitter());
	EXPECT_TRUE(base->run(30));
}

TEST(EmitterEmission, LifeIsTruncatedAndColourAndScaleReachTheirEndValues)
{
	PointRig rig;
	rig.emitter->setLifeTimeRange({1500.9f, 1500.9f});
	rig.emitter->setColorEnd(irr::video::SColor(0, 255, 255, 255));
	rig.emitter->setScaleRange({1.0f, 4.0f});
	rig.emitter->setVelocityXRange({5.0f, 5.0f});
	rig.emitter->setAccelYRange({-2.0f, -2.0f});
	rig.emitter->setAngleRange({45.0f, 45.0f});
	rig.emitter->setPosition({100.0f, 50.0f});
	rig.emitter->run(100);
	ASSERT_EQ(rig.particles.size(), 1u);
	const Particle& p = rig.particles[0];
	EXPECT_EQ(p.life, 1500);
	EXPECT_EQ(p.age, 0);
	EXPECT_FLOAT_EQ(p.x, 100.0f);
	EXPECT_FLOAT_EQ(p.y, 50.0f);
	EXPECT_FLOAT_EQ(p.velocityX, 5.0f);
	EXPECT_FLOAT_EQ(p.accelerationY, -2.0f);
	EXPECT_FLOAT_EQ(p.angle, 45.0f);
	EXPECT_FLOAT_EQ(p.alpha, 1.0f);
	EXPECT_NEAR(p.alpha + p.alphaChange * 1.5f, 0.0f, 1e-6f);
	EXPECT_FLOAT_EQ(p.redChange, 0.0f);
	EXPECT_FLOAT_EQ(p.scale, 1.0f);
	EXPECT_FLOAT_EQ(p.scale + p.scaleChange * 1.5f, 4.0f);
}

TEST(EmitterEmission, ALifeOfZeroGivesNoEndlessRates)
{
	PointRig rig;
	rig.emitter->setLifeTimeRange({0.0f, 0.0f});
	rig.emitter->setColorEnd(irr::video::SColor(0));
	rig.emitter->run(100);
	ASSERT_EQ(rig.particles.size(), 1u);
	EXPECT_TRUE(std::isfinite(rig.particles[0].alphaChange));
	EXPECT_TRUE(std::isfinite(rig.particles[0].scaleChange));
}

TEST(EmitterEmission, PointEmitterStartsOnTheRingAtWholeDegrees)
{
	PointRig atCentre;
	atCentre.emitter->setPosition({10.0f, 20.0f});
	atCentre.emitter->run(1000);
	ASSERT_EQ(atCentre.particles.size(), 10u);
	for (irr::u32 i = 0; i < atCentre.particles.size(); ++i)
	{
		EXPECT_FLOAT_EQ(atCentre.particles[i].x, 10.0f);
		EXPECT_FLOAT_EQ(atCentre.particles[i].y, 20.0f);
	}

	PointRig ring;
	ring.emitter->setRadiusRange({20.0f, 20.0f});
	ring.emitter->setPPSRange({1000.0f, 1000.0f});
	ring.emitter->run(200);
	ASSERT_EQ(ring.particles.size(), 200u);
	for (irr::u32 i = 0; i < ring.particles.size(); ++i)
	{
		const Particle& p = ring.particles[i];
		EXPECT_NEAR(std::hypot(p.x, p.y), 20.0f, 1e-3f);
		const double degrees = std::atan2(p.y, p.x) * 180.0 / M_PI;
		EXPECT_NEAR(degrees, std::round(degrees), 1e-3) << p.x << "," << p.y;
	}
}

TEST(EmitterEmission, RectangleEmitterFillsTheFrameBetweenItsRectangles)
{
	RectangleRig rig;
	rig.emitter->setXRange({0.0f, 50.0f});
	rig.emitter->setYRange({0.0f, 30.0f});
	rig.emitter->setPPSRange({10000.0f, 10000.0f});
	rig.emitter->run(50);
	ASSERT_EQ(rig.particles.size(), 500u);
	float minX = 0, maxX = 0, minY = 0, maxY = 0;
	for (irr::u32 i = 0; i < rig.particles.size(); ++i)
	{
		const Particle& p = rig.particles[i];
		ASSERT_LE(std::fabs(p.x), 50.0f);
		ASSERT_LE(std::fabs(p.y), 30.0f);
		minX = std::min(minX, p.x);
		maxX = std::max(maxX, p.x);
		minY = std::min(minY, p.y);
		maxY = std::max(maxY, p.y);
	}
	EXPECT_LT(minX, -45.0f);
	EXPECT_GT(maxX, 45.0f);
	EXPECT_LT(minY, -25.0f);
	EXPECT_GT(maxY, 25.0f);

	RectangleRig frame;
	frame.emitter->setXRange({40.0f, 50.0f});
	frame.emitter->setYRange({20.0f, 30.0f});
	frame.emitter->setPPSRange({10000.0f, 10000.0f});
	frame.emitter->run(50);
	for (irr::u32 i = 0; i < frame.particles.size(); ++i)
	{
		const Particle& p = frame.particles[i];
		EXPECT_TRUE(std::fabs(p.x) >= 40.0f || std::fabs(p.y) >= 20.0f) << p.x << "," << p.y;
	}
}

TEST(EmitterEmission, OnlyTheRectangleEmitterVariesTheStartScale)
{
	PointRig point;
	RectangleRig rectangle;
	for (MotionEmitter* e : {static_cast<MotionEmitter*>(point.emitter.get()),
	                         static_cast<MotionEmitter*>(rectangle.emitter.get())})
	{
		e->setScaleRange({2.0f, 2.0f});
		e->setScaleVariation(0.5f);
		e->setPPSRange({1000.0f, 1000.0f});
		e->run(100);
	}
	bool varied = false;
	for (irr::u32 i = 0; i < 100; ++i)
	{
		EXPECT_FLOAT_EQ(point.particles[i].scale, 2.0f);
		const float s = rectangle.particles[i].scale;
		EXPECT_GE(s, 1.5f);
		EXPECT_LE(s, 2.5f);
		varied |= s != 2.0f;
	}
	EXPECT_TRUE(varied);
}
} // namespace

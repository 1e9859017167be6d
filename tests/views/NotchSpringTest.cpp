#include "views/NotchSpring.h"
#include "views/SpringValue.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>

using namespace zelvik;

namespace {

// Reference motion: x'' = -k x - c x' integrated with small fourth-order
// Runge-Kutta steps, independent of the closed form under test.
SpringState integrate(const SpringParameters& spring, SpringState s, double t) {
    const double k = spring.stiffness();
    const double c = spring.damping();
    const int steps = int(std::ceil(t / 1e-4));
    const double h = t / steps;
    auto accel = [&](double x, double v) { return -k * x - c * v; };
    double x = s.displacement;
    double v = s.velocity;
    for (int i = 0; i < steps; ++i) {
        const double k1x = v, k1v = accel(x, v);
        const double k2x = v + h / 2 * k1v, k2v = accel(x + h / 2 * k1x, v + h / 2 * k1v);
        const double k3x = v + h / 2 * k2v, k3v = accel(x + h / 2 * k2x, v + h / 2 * k2v);
        const double k4x = v + h * k3v, k4v = accel(x + h * k3x, v + h * k3v);
        x += h / 6 * (k1x + 2 * k2x + 2 * k3x + k4x);
        v += h / 6 * (k1v + 2 * k2v + 2 * k3v + k4v);
    }
    return {x, v};
}

} // namespace

TEST(NotchSpring, StylesGiveTheirResponseAndDamping) {
    EXPECT_EQ(springFor(NotchAnimationStyle::bouncy), (SpringParameters{0.45, 0.72}));
    EXPECT_EQ(springFor(NotchAnimationStyle::smooth), (SpringParameters{0.5, 0.95}));
    EXPECT_EQ(springFor(NotchAnimationStyle::snappy), (SpringParameters{0.28, 0.86}));
    // stiffness = (2 pi / response)^2, damping = 4 pi z / response (mass 1).
    const SpringParameters bouncy = springFor(NotchAnimationStyle::bouncy);
    EXPECT_NEAR(bouncy.stiffness(), 194.955, 1e-3);
    EXPECT_NEAR(bouncy.damping(), 20.106, 1e-3);
    const SpringParameters smooth = springFor(NotchAnimationStyle::smooth);
    EXPECT_NEAR(smooth.stiffness(), 157.914, 1e-3);
    EXPECT_NEAR(smooth.damping(), 23.876, 1e-3);
    const SpringParameters snappy = springFor(NotchAnimationStyle::snappy);
    EXPECT_NEAR(snappy.stiffness(), 503.551, 1e-2);
    EXPECT_NEAR(snappy.damping(), 38.597, 1e-3);
    // The damping fraction is the damping over the critical 2 sqrt(k).
    EXPECT_NEAR(bouncy.damping() / (2 * std::sqrt(bouncy.stiffness())), 0.72, 1e-12);
}

TEST(NotchSpring, ClosedFormMatchesTheEquationOfMotionForEveryDamping) {
    // Under-damped (the three styles), critically damped and over-damped.
    for (const SpringParameters spring :
         {SpringParameters{0.45, 0.72}, SpringParameters{0.5, 0.95}, SpringParameters{0.28, 0.86},
          SpringParameters{0.4, 1.0}, SpringParameters{0.4, 1.6}, SpringParameters{0.3, 0.0}}) {
        const SpringState start{-370, 120};
        for (double t : {0.0, 0.016, 0.1, 0.25, 0.6, 1.2}) {
            const SpringState exact = springStateAt(spring, start, t);
            const SpringState reference = integrate(spring, start, t);
            EXPECT_NEAR(exact.displacement, reference.displacement, 1e-6)
                << spring.response << " " << spring.dampingFraction << " t " << t;
            EXPECT_NEAR(exact.velocity, reference.velocity, 1e-5)
                << spring.response << " " << spring.dampingFraction << " t " << t;
        }
    }
}

TEST(NotchSpring, UnusableParametersSettleAtOnce) {
    for (const SpringParameters spring : {SpringParameters{0, 0.8}, SpringParameters{-1, 0.8},
                                          SpringParameters{NAN, 0.8}, SpringParameters{0.5, NAN}}) {
        const SpringState s = springStateAt(spring, {50, 10}, 0.1);
        EXPECT_EQ(s.displacement, 0);
        EXPECT_EQ(s.velocity, 0);
    }
}

TEST(SpringTrack, ANewTargetOrSpringContinuesFromTheCurrentMotion) {
    SpringTrack track;
    track.setParameters({0.45, 0.72}, 0);
    track.jumpTo(190);
    EXPECT_TRUE(track.isAtRest(0));
    track.retarget(560, 0);
    EXPECT_EQ(track.valueAt(0), 190);
    EXPECT_FALSE(track.isAtRest(0.3));

    const double before = track.valueAt(0.12);
    const double speed = track.stateAt(0.12).velocity;
    track.retarget(206, 0.12); // closing again half way
    EXPECT_NEAR(track.valueAt(0.12), before, 1e-9);
    EXPECT_NEAR(track.stateAt(0.12).velocity, speed, 1e-9);
    EXPECT_EQ(track.target(), 206);

    const double value = track.valueAt(0.2);
    const double velocity = track.stateAt(0.2).velocity;
    track.setParameters({0.28, 0.86}, 0.2);
    EXPECT_NEAR(track.valueAt(0.2), value, 1e-9);
    EXPECT_NEAR(track.stateAt(0.2).velocity, velocity, 1e-9);

    // Settles within a second and a half for a 370-point move.
    EXPECT_TRUE(track.isAtRest(1.7));
    EXPECT_NEAR(track.valueAt(1.7), 206, 0.01);
}

TEST(SpringValue, TakesTheFirstTargetAtOnceAndSpringsToLaterOnes) {
    SpringValue value;
    value.setResponse(0.45);
    value.setDampingFraction(0.72);
    QSignalSpy changes(&value, &SpringValue::valueChanged);
    value.setTarget(32);
    EXPECT_EQ(value.value(), 32);
    EXPECT_FALSE(value.running());

    value.setTarget(192);
    EXPECT_TRUE(value.running());
    value.advanceTo(0.05);
    EXPECT_GT(value.value(), 32);
    EXPECT_LT(value.value(), 192);
    value.advanceTo(0.3);
    const double nearEnd = value.value();
    EXPECT_GT(nearEnd, 150);

    // Back to the start while moving: no jump.
    value.setTarget(32);
    EXPECT_EQ(value.value(), nearEnd);
    value.advanceTo(0.31);
    EXPECT_NEAR(value.value(), nearEnd, 3);
    value.advanceTo(3);
    EXPECT_EQ(value.value(), 32);
    EXPECT_FALSE(value.running());

    value.setTarget(NAN); // ignored: it could never come to rest
    EXPECT_FALSE(value.running());
    EXPECT_EQ(value.value(), 32);
    EXPECT_GE(changes.count(), 5);
}

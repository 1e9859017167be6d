#include "NotchSpring.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zelvik {

namespace {

// A value this close to its target (in points), and this slow (points per
// second), is at rest: the rest of the motion is invisible.
constexpr double kRestDistance = 0.01;
constexpr double kRestSpeed = 0.1;

bool isUsable(const SpringParameters& spring) {
    return std::isfinite(spring.response) && spring.response > 0 &&
           std::isfinite(spring.dampingFraction);
}

} // namespace

double SpringParameters::stiffness() const {
    const double w0 = 2 * std::numbers::pi / response;
    return w0 * w0;
}

double SpringParameters::damping() const {
    return 4 * std::numbers::pi * dampingFraction / response;
}

SpringParameters springFor(NotchAnimationStyle style) {
    switch (style) {
    case NotchAnimationStyle::bouncy:
        return {0.45, 0.72};
    case NotchAnimationStyle::snappy:
        return {0.28, 0.86};
    case NotchAnimationStyle::smooth:
        break;
    }
    return {0.5, 0.95};
}

SpringState springStateAt(const SpringParameters& spring, SpringState start, double t) {
    // A spring without a usable response settles at once.
    if (!isUsable(spring))
        return {};
    const double w0 = 2 * std::numbers::pi / spring.response;
    const double z = std::max(0.0, spring.dampingFraction);
    const double x0 = start.displacement;
    const double v0 = start.velocity;

    if (z < 1 - 1e-9) {
        const double wd = w0 * std::sqrt(1 - z * z);
        const double a = x0;
        const double b = (v0 + z * w0 * x0) / wd;
        const double decay = std::exp(-z * w0 * t);
        const double c = std::cos(wd * t);
        const double s = std::sin(wd * t);
        return {decay * (a * c + b * s),
                decay * ((b * wd - z * w0 * a) * c - (a * wd + z * w0 * b) * s)};
    }
    if (z <= 1 + 1e-9) {
        const double b = v0 + w0 * x0;
        const double decay = std::exp(-w0 * t);
        return {(x0 + b * t) * decay, (b - w0 * (x0 + b * t)) * decay};
    }
    const double root = std::sqrt(z * z - 1);
    const double r1 = -w0 * (z - root);
    const double r2 = -w0 * (z + root);
    const double c2 = (v0 - r1 * x0) / (r2 - r1);
    const double c1 = x0 - c2;
    const double e1 = std::exp(r1 * t);
    const double e2 = std::exp(r2 * t);
    return {c1 * e1 + c2 * e2, c1 * r1 * e1 + c2 * r2 * e2};
}

void SpringTrack::jumpTo(double value) {
    m_target = value;
    m_start = {};
    m_startTime = 0;
}

void SpringTrack::rebase(double now) {
    m_start = stateAt(now);
    m_startTime = now;
}

void SpringTrack::retarget(double target, double now) {
    if (target == m_target)
        return;
    const double value = valueAt(now);
    rebase(now);
    m_start.displacement = value - target;
    m_target = target;
}

void SpringTrack::setParameters(const SpringParameters& spring, double now) {
    if (spring == m_spring)
        return;
    rebase(now);
    m_spring = spring;
}

SpringState SpringTrack::stateAt(double now) const {
    if (m_start.displacement == 0 && m_start.velocity == 0)
        return {};
    return springStateAt(m_spring, m_start, std::max(0.0, now - m_startTime));
}

bool SpringTrack::isAtRest(double now) const {
    const SpringState state = stateAt(now);
    return std::abs(state.displacement) < kRestDistance && std::abs(state.velocity) < kRestSpeed;
}

} // namespace zelvik

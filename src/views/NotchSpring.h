#pragma once

#include "settings/SettingsEnums.h"

namespace zelvik {

// A spring described the way designers talk about it: `response` is the time
// in seconds of one swing of the undamped spring, `dampingFraction` how much
// of the critical damping it has (below 1 it overshoots a little).
//
// The physics behind it is a unit mass on a damped spring,
//   x'' = -stiffness * x - damping * x'
// whose undamped angular frequency is w0 = sqrt(stiffness / mass). One swing
// taking `response` seconds means w0 = 2 pi / response, so
//   stiffness = (2 pi / response)^2          (mass 1)
// and the damping fraction z is damping over critical damping 2 sqrt(k m), so
//   damping   = 2 z w0 = 4 pi z / response.
// For the notch styles: bouncy (0.45 s, 0.72) gives stiffness 194.96 and
// damping 20.11; smooth (0.5 s, 0.95) 157.91 and 23.88; snappy (0.28 s, 0.86)
// 503.57 and 38.60.
struct SpringParameters {
    double response = 0.5;
    double dampingFraction = 0.85;

    double stiffness() const;
    double damping() const;

    friend bool operator==(const SpringParameters&, const SpringParameters&) = default;
};

// The spring for opening, closing, peeking and notices, per animation style.
SpringParameters springFor(NotchAnimationStyle style);

// Where a spring started `t` seconds ago has got to, in closed form (so the
// motion does not depend on the frame rate). Positions are relative to the
// target: `displacement` is value minus target.
struct SpringState {
    double displacement = 0;
    double velocity = 0;
};
SpringState springStateAt(const SpringParameters& spring, SpringState start, double t);

// One value following its target on a spring. A new target or new parameters
// take over from the current position and velocity, so a motion that is
// interrupted continues smoothly. Time is passed in, in seconds.
class SpringTrack {
public:
    double target() const { return m_target; }
    SpringParameters parameters() const { return m_spring; }

    // Puts the value at `value` at rest (no motion).
    void jumpTo(double value);
    void retarget(double target, double now);
    void setParameters(const SpringParameters& spring, double now);

    SpringState stateAt(double now) const;
    double valueAt(double now) const { return m_target + stateAt(now).displacement; }
    // Close enough to the target, slowly enough, to stop animating.
    bool isAtRest(double now) const;

private:
    void rebase(double now);

    SpringParameters m_spring;
    double m_target = 0;
    SpringState m_start;
    double m_startTime = 0;
};

} // namespace zelvik

#include "SpringValue.h"

#include <cmath>

namespace zelvik {

// Runs for as long as the spring moves; its time is the motion's clock.
class SpringValue::Driver : public QAbstractAnimation {
public:
    explicit Driver(SpringValue& owner)
        : m_owner(owner) {}
    int duration() const override { return -1; }

protected:
    void updateCurrentTime(int msecs) override { m_owner.advanceTo(msecs / 1000.0); }

private:
    SpringValue& m_owner;
};

SpringValue::SpringValue(QObject* parent)
    : QObject(parent)
    , m_driver(new Driver(*this)) {}

SpringValue::~SpringValue() {
    m_driver->stop();
    delete m_driver;
}

double SpringValue::now() const {
    return m_running ? m_time : 0.0;
}

void SpringValue::setTarget(double target) {
    // A target that is no number would keep the motion from ever resting.
    if (!std::isfinite(target) || (m_hasTarget && target == m_track.target()))
        return;
    if (!m_hasTarget || m_building) {
        m_hasTarget = true;
        m_track.jumpTo(target);
        emit targetChanged();
        publish(target);
        return;
    }
    if (!m_running) {
        // A fresh motion: its clock starts at 0 with the driver.
        m_track.jumpTo(m_value);
        m_time = 0;
    }
    m_track.retarget(target, now());
    emit targetChanged();
    if (!m_running) {
        setRunning(true);
        m_driver->start();
    }
}

void SpringValue::jumpTo(double value) {
    if (!std::isfinite(value))
        return;
    m_driver->stop();
    setRunning(false);
    m_hasTarget = true;
    m_track.jumpTo(value);
    emit targetChanged();
    publish(value);
}

void SpringValue::setParameters(const SpringParameters& spring) {
    m_track.setParameters(spring, now());
}

void SpringValue::setResponse(double response) {
    if (response == this->response())
        return;
    setParameters({response, dampingFraction()});
    emit responseChanged();
}

void SpringValue::setDampingFraction(double fraction) {
    if (fraction == dampingFraction())
        return;
    setParameters({response(), fraction});
    emit dampingFractionChanged();
}

void SpringValue::advanceTo(double seconds) {
    if (!m_running)
        return;
    m_time = seconds;
    if (m_track.isAtRest(seconds)) {
        m_track.jumpTo(m_track.target());
        publish(m_track.target());
        setRunning(false);
        m_driver->stop();
        return;
    }
    publish(m_track.valueAt(seconds));
}

void SpringValue::publish(double value) {
    if (value == m_value)
        return;
    m_value = value;
    emit valueChanged();
}

void SpringValue::setRunning(bool running) {
    if (running == m_running)
        return;
    m_running = running;
    emit runningChanged();
}

} // namespace zelvik

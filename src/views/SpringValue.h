#pragma once

#include "NotchSpring.h"

#include <QAbstractAnimation>
#include <QObject>
#include <QQmlParserStatus>

namespace zelvik {

// A number that follows `target` on a spring, for QML bindings:
//   SpringValue { id: w; target: state.frameWidth; response: 0.45; dampingFraction: 0.72 }
//   width: w.value
// Targets set while QML builds the object are taken at once, so a view
// appears in place; later ones are reached by the spring.
// Frames come from Qt's animation timer, the one that drives every QML
// animation, so the motion stays in step with the rest of the scene.
class SpringValue : public QObject, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(double target READ target WRITE setTarget NOTIFY targetChanged)
    Q_PROPERTY(double response READ response WRITE setResponse NOTIFY responseChanged)
    Q_PROPERTY(double dampingFraction READ dampingFraction WRITE setDampingFraction NOTIFY
                   dampingFractionChanged)
    Q_PROPERTY(double value READ value NOTIFY valueChanged)
    Q_PROPERTY(bool running READ running NOTIFY runningChanged)

public:
    explicit SpringValue(QObject* parent = nullptr);
    ~SpringValue() override;

    double target() const { return m_track.target(); }
    void setTarget(double target);
    double response() const { return m_track.parameters().response; }
    void setResponse(double response);
    double dampingFraction() const { return m_track.parameters().dampingFraction; }
    void setDampingFraction(double fraction);
    double value() const { return m_value; }
    bool running() const { return m_running; }

    // Puts the value at `value` at once, at rest, with that as the target:
    // where a motion should start from somewhere else than where it is
    // (a new tile that grows from small).
    Q_INVOKABLE void jumpTo(double value);

    void classBegin() override { m_building = true; }
    void componentComplete() override { m_building = false; }

    // Moves the motion to `seconds` after it started; the animation timer
    // calls this on every frame.
    void advanceTo(double seconds);

signals:
    void targetChanged();
    void responseChanged();
    void dampingFractionChanged();
    void valueChanged();
    void runningChanged();

private:
    class Driver;

    double now() const;
    void setParameters(const SpringParameters& spring);
    void publish(double value);
    void setRunning(bool running);

    SpringTrack m_track;
    Driver* m_driver;
    double m_value = 0;
    double m_time = 0;
    bool m_hasTarget = false;
    bool m_building = false;
    bool m_running = false;
};

} // namespace zelvik

#pragma once

#include "Clock.h"

#include <QString>
#include <QVariant>

#include <optional>

namespace zelvik {

// The focus timer record. Idle: neither optional set; running: endDate set;
// paused: pausedRemaining set. No operation sets both.
struct FocusState {
    Q_GADGET
    Q_PROPERTY(QString label MEMBER label CONSTANT)
    Q_PROPERTY(double duration MEMBER duration CONSTANT)
    Q_PROPERTY(bool isRunning READ isRunning CONSTANT)
    Q_PROPERTY(bool isPaused READ isPaused CONSTANT)
    // For views: undefined when absent.
    Q_PROPERTY(QVariant endDate READ endDateValue CONSTANT)
    Q_PROPERTY(QVariant pausedRemaining READ pausedRemainingValue CONSTANT)

public:
    QString label = QStringLiteral("Pomodoro");
    double duration = 1500; // seconds
    std::optional<ReferenceSeconds> endDate;
    std::optional<double> pausedRemaining; // seconds

    bool isRunning() const { return endDate.has_value(); }
    bool isPaused() const { return !endDate && pausedRemaining.has_value(); }
    QVariant endDateValue() const { return endDate ? QVariant(*endDate) : QVariant(); }
    QVariant pausedRemainingValue() const {
        return pausedRemaining ? QVariant(*pausedRemaining) : QVariant();
    }

    friend bool operator==(const FocusState&, const FocusState&) = default;
};

} // namespace zelvik

Q_DECLARE_METATYPE(zelvik::FocusState)

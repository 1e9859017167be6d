#include "FocusTimer.h"

#include "Delays.h"
#include "HUDProducers.h"
#include "NotchModel.h"
#include "NotificationCenter.h"
#include "SoundPlayer.h"
#include "settings/AppLanguage.h"
#include "settings/NotchSettings.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelvik {

QList<FocusPreset> focusPresets() {
    return {
        {15, localized("Short focus", "Kısa odak")},
        {25, localized("Pomodoro", "Pomodoro")},
        {45, localized("Deep work", "Derin iş")},
        {60, localized("Long session", "Uzun seans")},
    };
}

QString breakLabel() {
    return localized("Break", "Mola");
}

bool isBreakLabel(const QString& label) {
    return label == u"Break" || label == u"Mola";
}

QString formatCountdown(double seconds) {
    const std::int64_t ceiling = ceilingToInt(seconds);
    const std::int64_t s = std::max<std::int64_t>(ceiling, 0);
    if (ceiling >= 3600) {
        const std::int64_t hours = s / 3600;
        const std::int64_t minutes = (s - hours * 3600) / 60;
        return QString::asprintf("%lld:%02lld:%02lld", static_cast<long long>(hours),
                                 static_cast<long long>(minutes), static_cast<long long>(s % 60));
    }
    return QString::asprintf("%02lld:%02lld", static_cast<long long>(s / 60),
                             static_cast<long long>(s % 60));
}

namespace {

// Whole minutes of a period, at least 1, for the preset to return to.
int wholeMinutes(double durationSeconds) {
    const double minutes = std::isfinite(durationSeconds) ? std::trunc(durationSeconds / 60) : 0;
    const double bounded = std::clamp(minutes, 1.0, double(std::numeric_limits<int>::max()));
    return static_cast<int>(bounded);
}

} // namespace

void NotchModel::setNotificationCenter(NotificationCenter* center) {
    m_focusStore.setNotificationCenter(center);
}

void NotchModel::startOrPauseFocus() {
    if (NotificationCenter* center = m_focusStore.notificationCenter())
        center->requestAuthorization();
    m_focusStore.toggleFocus(m_clock.now());
    setFocus(m_focusStore.loadFocusOrDefault());
    scheduleFocusTask();
}

void NotchModel::choosePreset(const FocusPreset& preset) {
    m_focusStore.selectFocusPreset(preset.minutes, preset.label);
    setFocus(m_focusStore.loadFocusOrDefault());
    m_focusTask.cancel();
}

void NotchModel::resetFocus() {
    m_focusStore.resetFocusStore();
    m_focusStore.cancelFocusNotification();
    setFocus(m_focusStore.loadFocusOrDefault());
    m_focusTask.cancel();
}

void NotchModel::scheduleFocusTask() {
    m_focusTask.cancel();
    if (m_focus.endDate && *m_focus.endDate > m_clock.now())
        armFocusTask(*m_focus.endDate, m_focus.label);
}

void NotchModel::armFocusTask(ReferenceSeconds end, const QString& label) {
    // The end is a moment of wall time that keeps coming while the machine
    // sleeps: a period whose end passed during a sleep ends at the wake-up.
    m_focusTask = m_scheduler.at(m_clock, end, [self = QPointer(this), label] {
        if (self)
            self->handleFocusEnd(label);
    });
}

void NotchModel::handleFocusEnd(const QString& label) {
    m_focusStore.resetFocusStore();
    setFocus(m_focusStore.loadFocusOrDefault());

    const QString sound = m_settings->focusSound();
    if (!sound.isEmpty() && m_sounds)
        m_sounds->play(sound);

    if (isBreakLabel(label)) {
        if (m_workPreset) {
            // The work period is selected, not started. The notification of
            // the break that just ended is due now and stays.
            m_focusStore.selectFocusPreset(m_workPreset->minutes, m_workPreset->label, false);
            setFocus(m_focusStore.loadFocusOrDefault());
            m_workPreset.reset();
        }
        showBreakOverHUD(*this);
        return;
    }

    showFocusDoneHUD(*this, label);
    if (!m_settings->autoBreak())
        return;
    m_workPreset = FocusPreset{wholeMinutes(m_focus.duration), label};
    // A break of no length would never end and never lead back to work.
    const qint64 breakMinutes = std::max(1, m_settings->breakMinutes());
    // The notification of the period that just ended stays on screen.
    m_focusStore.selectFocusPreset(breakMinutes, breakLabel(), false);
    m_focusStore.toggleFocus(m_clock.now());
    setFocus(m_focusStore.loadFocusOrDefault());
    scheduleFocusTask();
}

void NotchModel::resumeFocusAtStart() {
    // Desktop notification services keep nothing scheduled across a restart,
    // so a period still running asks for its end notification again.
    if (m_focus.endDate && *m_focus.endDate > m_clock.now())
        m_focusStore.scheduleFocusNotification(*m_focus.endDate, m_focus.label);
    scheduleFocusTask();
}

} // namespace zelvik

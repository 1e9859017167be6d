#pragma once

#include "Clock.h"
#include "FocusState.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace zelvik {

class DefaultsStore;
class NotificationCenter;

// Store key of the focus record and identifier of its end notification.
inline constexpr char kFocusStoreKey[] = "focus";
inline constexpr char kFocusNotificationId[] = "zelvik.focus.end";

// The stored form: a UTF-8 JSON object with "label", "duration", and, when
// present, "endDate" (seconds since 2001-01-01 UTC) and "pausedRemaining".
QByteArray encodeFocusState(const FocusState& state);
// Absent when the data is not such an object, a required key is missing,
// a value has the wrong type, a number is not finite, or the duration is
// negative: a period must neither end before it starts nor never end.
std::optional<FocusState> decodeFocusState(const QByteArray& data);

// The focus record in the defaults store, which is its source of truth:
// every operation reads it, changes it and writes it back. A record that
// cannot be read counts as the default one but stays untouched until the
// user starts, pauses, resets or picks a period; then it is kept aside.
class FocusStore {
public:
    FocusStore(DefaultsStore& store, const Clock& clock)
        : m_store(store)
        , m_clock(clock) {}

    // May be null: then no system notification is scheduled or withdrawn.
    void setNotificationCenter(NotificationCenter* center) { m_center = center; }
    NotificationCenter* notificationCenter() const { return m_center; }

    std::optional<FocusState> loadFocus() const;
    FocusState loadFocusOrDefault() const { return loadFocus().value_or(FocusState{}); }
    void saveFocus(const FocusState& state);

    // Idle record of minutes × 60 seconds with the label. Withdraws the end
    // notification unless told not to: the end handling keeps the
    // notification of the period that has just ended, which is due now.
    void selectFocusPreset(qint64 minutes, const QString& label, bool withdrawNotification = true);
    // Start, pause or resume at now.
    void toggleFocus(ReferenceSeconds now);
    // Back to idle; label and duration stay.
    void resetFocusStore();

    void scheduleFocusNotification(ReferenceSeconds end, const QString& label);
    void cancelFocusNotification();

private:
    // A stored record that cannot be read is copied to the key
    // "focusUnreadable-<time>" before anything replaces it, and that is said
    // on standard error. False when no free key was found: then nothing may
    // be written.
    bool keepUnreadableAside();

    DefaultsStore& m_store;
    const Clock& m_clock;
    NotificationCenter* m_center = nullptr;
};

} // namespace zelvik

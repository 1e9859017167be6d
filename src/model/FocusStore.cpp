#include "FocusStore.h"

#include "KeptAside.h"
#include "NotificationCenter.h"
#include "settings/AppLanguage.h"
#include "settings/DefaultsStore.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace zelvik {

namespace {

const QString kLabel = QStringLiteral("label");
const QString kDuration = QStringLiteral("duration");
const QString kEndDate = QStringLiteral("endDate");
const QString kPausedRemaining = QStringLiteral("pausedRemaining");

// A present number must be a finite number; null reads as absent.
bool readOptionalNumber(const QJsonObject& object, const QString& key, std::optional<double>& out) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return true;
    if (!value.isDouble() || !std::isfinite(value.toDouble()))
        return false;
    out = value.toDouble();
    return true;
}

} // namespace

QByteArray encodeFocusState(const FocusState& state) {
    QJsonObject object{{kLabel, state.label}, {kDuration, state.duration}};
    if (state.endDate)
        object.insert(kEndDate, *state.endDate);
    if (state.pausedRemaining)
        object.insert(kPausedRemaining, *state.pausedRemaining);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<FocusState> decodeFocusState(const QByteArray& data) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue label = object.value(kLabel);
    const QJsonValue duration = object.value(kDuration);
    if (!label.isString() || !duration.isDouble())
        return std::nullopt;
    FocusState state;
    state.label = label.toString();
    state.duration = duration.toDouble();
    if (!std::isfinite(state.duration) || state.duration < 0)
        return std::nullopt;
    if (!readOptionalNumber(object, kEndDate, state.endDate) ||
        !readOptionalNumber(object, kPausedRemaining, state.pausedRemaining))
        return std::nullopt;
    return state;
}

std::optional<FocusState> FocusStore::loadFocus() const {
    const QString key = QString::fromLatin1(kFocusStoreKey);
    if (auto bytes = m_store.bytesValue(key))
        return decodeFocusState(*bytes);
    // JSON text written into the settings file by hand arrives as text.
    if (auto text = m_store.stringValue(key))
        return decodeFocusState(text->toUtf8());
    return std::nullopt;
}

void FocusStore::saveFocus(const FocusState& state) {
    if (!keepUnreadableAside())
        return;
    m_store.setValue(QString::fromLatin1(kFocusStoreKey), encodeFocusState(state));
}

bool FocusStore::keepUnreadableAside() {
    const QString key = QString::fromLatin1(kFocusStoreKey);
    if (!m_store.hasStoredValue(key) || loadFocus())
        return true;
    const QVariant stored = m_store.object(key);
    const bool empty = stored.typeId() == QMetaType::QByteArray ? stored.toByteArray().isEmpty()
                                                                : stored.toString().isEmpty();
    if (empty)
        return true;
    const QString asideKey = firstFreeName(
        QStringLiteral("focusUnreadable-") + keptAsideStamp(m_clock.now()),
        [this](const QString& candidate) { return !m_store.hasStoredValue(candidate); });
    if (asideKey.isEmpty())
        return false;
    m_store.setValue(asideKey, stored);
    reportKeptAside(QStringLiteral("the focus timer record in %1").arg(m_store.filePath()),
                    QStringLiteral("\"%1\" in the same file").arg(asideKey));
    return true;
}

void FocusStore::selectFocusPreset(qint64 minutes, const QString& label,
                                   bool withdrawNotification) {
    FocusState state = loadFocusOrDefault();
    state.duration = static_cast<double>(minutes * 60);
    state.label = label;
    state.endDate.reset();
    state.pausedRemaining.reset();
    saveFocus(state);
    if (withdrawNotification)
        cancelFocusNotification();
}

void FocusStore::toggleFocus(ReferenceSeconds now) {
    FocusState state = loadFocusOrDefault();
    if (state.endDate && *state.endDate > now) {
        state.pausedRemaining = std::max(0.0, *state.endDate - now);
        state.endDate.reset();
        cancelFocusNotification();
        saveFocus(state);
        return;
    }
    double run = state.duration;
    if (!state.endDate && state.pausedRemaining)
        run = *state.pausedRemaining;
    if (!(run > 0))
        run = state.duration;
    state.endDate = now + run;
    state.pausedRemaining.reset();
    scheduleFocusNotification(*state.endDate, state.label);
    saveFocus(state);
}

void FocusStore::resetFocusStore() {
    FocusState state = loadFocusOrDefault();
    state.endDate.reset();
    state.pausedRemaining.reset();
    saveFocus(state);
}

void FocusStore::scheduleFocusNotification(ReferenceSeconds end, const QString& label) {
    if (!m_center)
        return;
    NotificationRequest request;
    request.identifier = QString::fromLatin1(kFocusNotificationId);
    request.title = label + localized(" is done", " bitti");
    request.body = localized("Time's up, take a short break.", "Süre doldu, kısa bir mola ver.");
    // std::max lets a NaN through; the comparison below does not.
    const double interval = end - m_clock.now();
    request.timeInterval = interval > 1 ? interval : 1;
    m_center->add(request);
}

void FocusStore::cancelFocusNotification() {
    if (m_center)
        m_center->remove(QString::fromLatin1(kFocusNotificationId));
}

} // namespace zelvik

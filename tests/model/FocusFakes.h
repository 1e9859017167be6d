#pragma once

#include "model/NotificationCenter.h"
#include "model/SoundPlayer.h"
#include "settings/DefaultsStore.h"

#include <QList>
#include <QStringList>

namespace zelvik::test {

// Records what the focus timer asks of the notification service, in order.
class RecordingNotifications final : public NotificationCenter {
public:
    void requestAuthorization() override {
        ++authorizations;
        log << QStringLiteral("authorize");
    }
    void add(const NotificationRequest& request) override {
        added << request;
        log << QStringLiteral("add");
    }
    void remove(const QString& identifier) override {
        removed << identifier;
        log << QStringLiteral("remove");
    }
    int authorizations = 0;
    QList<NotificationRequest> added;
    QStringList removed;
    QStringList log;
};

class RecordingSounds final : public SoundPlayer {
public:
    bool play(const QString& name) override {
        played << name;
        return true;
    }
    QStringList played;
};

// Texts follow the language stored in the process-wide store; this switches
// it to Turkish for one test and back afterwards.
class TurkishLanguage {
public:
    TurkishLanguage() { store().setValue(key(), QStringLiteral("tr")); }
    ~TurkishLanguage() { store().remove(key()); }
    TurkishLanguage(const TurkishLanguage&) = delete;
    TurkishLanguage& operator=(const TurkishLanguage&) = delete;

private:
    static DefaultsStore& store() { return DefaultsStore::standard(); }
    static QString key() { return QStringLiteral("appLanguage"); }
};

} // namespace zelvik::test

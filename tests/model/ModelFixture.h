#pragma once

#include "model/HapticFeedback.h"
#include "model/MusicStatus.h"
#include "model/NotchModel.h"
#include "settings/DefaultsStore.h"
#include "settings/NotchSettings.h"
#include "support/TestEnvironment.h"
#include "support/VirtualTime.h"

#include <gtest/gtest.h>

#include <memory>

namespace zelvik::test {

class CountingHaptics final : public HapticFeedback {
public:
    void performAlignment() override { ++count; }
    int count = 0;
};

// The model reads only "playing", the title and artist; the player behind it
// is not what these tests are about.
class ScriptedMusic final : public MusicStatus {
public:
    void start() override { ++starts; }
    bool isPlaying() const override { return playing; }
    QString trackTitle() const override { return title; }
    QString trackArtist() const override { return artist; }
    QColor accentColor() const override { return accent; }
    void refreshPosition() override { ++refreshes; }
    void send(const QString& command) override { sent << command; }
    void set(bool isPlaying, const QString& newTitle) {
        playing = isPlaying;
        title = newTitle;
        emit changed();
    }
    bool playing = false;
    QString title;
    QString artist;
    QColor accent;
    int starts = 0;
    int refreshes = 0;
    QStringList sent;
};

class MemoryShelf final : public ShelfStorage {
public:
    void clearOlderThan(int days) override { clearedDays << days; }
    void removeAllEntries() override {
        ++removeAllCalls;
        items.clear();
    }
    QList<ShelfItem> loadShelf() override {
        ++loads;
        return items;
    }
    QList<ShelfItem> items;
    QList<int> clearedDays;
    int removeAllCalls = 0;
    int loads = 0;
};

class ModelFixture : public ::testing::Test {
protected:
    VirtualTime time;
    CountingHaptics haptics;
    std::unique_ptr<DefaultsStore> store = std::make_unique<DefaultsStore>(freshSettingsPath());
    std::unique_ptr<NotchModel> model =
        std::make_unique<NotchModel>(NotchModel::Environment{*store, time, time, &haptics});
    NotchSettings& settings = *model->settings();
};

} // namespace zelvik::test

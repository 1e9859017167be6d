// The battery monitor reading a fake /sys/class/power_supply through the
// real sysfs reader; the minute's re-read runs on virtual time.
#include "monitors/BatteryMonitor.h"
#include "FakePowerSupplies.h"
#include "platform/linux/SysfsPowerSourceReader.h"
#include "platform/linux/UdevPowerSupplyWatch.h"
#include "support/VirtualTime.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <vector>

using namespace zelvik;
using namespace zelvik::test;
using namespace std::chrono_literals;

namespace {

std::string describe(const BatteryEvent& event) {
    switch (event.kind) {
    case BatteryEvent::Kind::pluggedIn:
        return "pluggedIn(" + std::to_string(event.level) + ")";
    case BatteryEvent::Kind::unplugged:
        return "unplugged(" + std::to_string(event.level) + ")";
    case BatteryEvent::Kind::low:
        return "low(" + std::to_string(event.level) + ")";
    case BatteryEvent::Kind::full:
        return "full";
    }
    return "?";
}

std::vector<std::string> describe(const std::vector<BatteryEvent>& events) {
    std::vector<std::string> texts;
    for (const BatteryEvent& event : events)
        texts.push_back(describe(event));
    return texts;
}

class BatteryMonitorTest : public ::testing::Test {
protected:
    void startMonitor(int threshold = 20) {
        events.clear();
        monitor = std::make_unique<BatteryMonitor>(
            std::make_unique<SysfsPowerSourceReader>(time, supplies.root()));
        monitor->lowThreshold = [threshold] { return threshold; };
        monitor->onEvent = [this](const BatteryEvent& event) { events.push_back(event); };
        monitor->start();
    }
    // What the next minute's re-read raises.
    std::vector<std::string> nextMinute() {
        events.clear();
        time.advance(SysfsPowerSourceReader::fallbackInterval);
        return describe(events);
    }

    VirtualTime time;
    FakePowerSupplies supplies;
    std::unique_ptr<BatteryMonitor> monitor;
    std::vector<BatteryEvent> events;
};

const BatteryEvent full = BatteryEvent::full();
BatteryEvent in(int level) {
    return BatteryEvent::pluggedIn(level);
}
BatteryEvent out(int level) {
    return BatteryEvent::unplugged(level);
}
BatteryEvent low(int level) {
    return BatteryEvent::low(level);
}

} // namespace

TEST_F(BatteryMonitorTest, EventsFollowTheChargerAndTheThresholds) {
    constexpr bool ac = true;
    constexpr bool battery = false;
    struct Step {
        int level;
        bool plugged;
        std::vector<BatteryEvent> expected;
    };
    struct Scenario {
        const char* name;
        int threshold;
        std::vector<Step> steps; // the first one is read at start
    };
    const std::vector<Scenario> scenarios{
        {"first read on the charger is only the baseline", 20, {{50, ac, {}}, {50, ac, {}}}},
        {"unplug at 80, plug back at 79",
         20,
         {{80, ac, {}}, {80, battery, {out(80)}}, {79, ac, {in(79)}}}},
        {"threshold 20 and the fixed 10",
         20,
         {{22, battery, {}},
          {21, battery, {}},
          {20, battery, {low(20)}},
          {19, battery, {}},
          {11, battery, {}},
          {10, battery, {low(10)}},
          {9, battery, {}}}},
        {"25 to 9 in one read warns once",
         20,
         {{25, battery, {}}, {9, battery, {low(9)}}, {8, battery, {}}, {3, battery, {}}}},
        {"threshold 10 is only one threshold",
         10,
         {{22, battery, {}}, {20, battery, {}}, {10, battery, {low(10)}}, {9, battery, {}}}},
        {"threshold 5 below the fixed 10",
         5,
         {{12, battery, {}},
          {10, battery, {low(10)}},
          {6, battery, {}},
          {5, battery, {low(5)}},
          {4, battery, {}}}},
        {"full once on the charger; plugging in at 100 is not full again",
         20,
         {{98, ac, {}},
          {99, ac, {}},
          {100, ac, {full}},
          {100, ac, {}},
          {100, battery, {out(100)}},
          {100, ac, {in(100)}}}},
        {"plugged in and full in one read", 20, {{99, battery, {}}, {100, ac, {in(100), full}}}},
        {"a level going back and forth warns once per threshold until the charger comes",
         20,
         {{21, battery, {}},
          {20, battery, {low(20)}},
          {21, battery, {}},
          {20, battery, {}},
          {21, battery, {}},
          {19, battery, {}},
          {30, ac, {in(30)}},
          {21, battery, {out(21)}},
          {20, battery, {low(20)}}}},
        {"unplugging below a threshold leaves that threshold alone",
         20,
         {{30, ac, {}}, {15, battery, {out(15)}}, {14, battery, {}}, {10, battery, {low(10)}}}},
    };
    for (const Scenario& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        supplies.laptop(scenario.steps.front().level, scenario.steps.front().plugged);
        startMonitor(scenario.threshold);
        EXPECT_TRUE(events.empty());
        for (std::size_t i = 1; i < scenario.steps.size(); ++i) {
            const Step& step = scenario.steps[i];
            SCOPED_TRACE("step " + std::to_string(i));
            supplies.laptop(step.level, step.plugged);
            EXPECT_EQ(nextMinute(), describe(step.expected));
            EXPECT_EQ(monitor->level(), step.level);
            EXPECT_EQ(monitor->isPluggedIn(), step.plugged);
            EXPECT_EQ(monitor->isCharging(), step.plugged);
            EXPECT_TRUE(monitor->hasBattery());
            if (step.plugged) {
                EXPECT_TRUE(monitor->warnedLevels().empty());
            }
        }
        monitor.reset();
    }
}

TEST_F(BatteryMonitorTest, OnlyTheMinutesReReadIsScheduledAndChangesWaitForIt) {
    supplies.laptop(60, false);
    startMonitor();
    EXPECT_TRUE(monitor->didRead());
    EXPECT_TRUE(monitor->isSubscribed());
    QSignalSpy levels(monitor.get(), &BatteryMonitor::levelChanged);
    // Nothing else wakes the process: one task, a minute away.
    EXPECT_EQ(time.pendingCount(), 1u);
    EXPECT_EQ(time.nextDue(), std::chrono::nanoseconds(1min));

    supplies.laptop(59, false);
    time.advance(59s);
    EXPECT_EQ(monitor->level(), 60);
    time.advance(1s);
    EXPECT_EQ(monitor->level(), 59);
    EXPECT_EQ(levels.count(), 1);
    EXPECT_EQ(time.pendingCount(), 1u);

    // An unchanged battery notifies nobody.
    time.advance(10min);
    EXPECT_EQ(levels.count(), 1);
    EXPECT_EQ(time.pendingCount(), 1u);

    monitor.reset();
    EXPECT_EQ(time.pendingCount(), 0u);
}

TEST_F(BatteryMonitorTest, TheKernelsFilesBecomeOneInternalBattery) {
    struct Case {
        const char* name;
        std::function<void(FakePowerSupplies&)> tree;
        bool hasBattery;
        int level;
        bool plugged;
        bool charging;
    };
    const auto file = [](const char* supply, const char* attribute, QByteArray value) {
        return [=](FakePowerSupplies& s) {
            s.set(QString::fromLatin1(supply), QString::fromLatin1(attribute), value);
        };
    };
    const auto all = [](std::vector<std::function<void(FakePowerSupplies&)>> parts) {
        return [parts](FakePowerSupplies& s) {
            for (const auto& part : parts)
                part(s);
        };
    };
    const auto bat = file("BAT0", "type", "Battery");
    const std::vector<Case> cases{
        {"no supplies at all", [](FakePowerSupplies&) {}, false, 100, false, false},
        {"capacity in percent", all({bat, file("BAT0", "capacity", "42")}), true, 42, false, false},
        {"energy, 2 of 3",
         all({bat, file("BAT0", "energy_now", "2"), file("BAT0", "energy_full", "3")}), true, 67,
         false, false},
        {"energy before charge before capacity",
         all({bat, file("BAT0", "energy_now", "30"), file("BAT0", "energy_full", "100"),
              file("BAT0", "charge_now", "50"), file("BAT0", "charge_full", "100"),
              file("BAT0", "capacity", "70")}),
         true, 30, false, false},
        {"charge when there is no energy",
         all({bat, file("BAT0", "charge_now", "1000"), file("BAT0", "charge_full", "4000")}), true,
         25, false, false},
        {"a full of 0 falls through to capacity",
         all({bat, file("BAT0", "energy_now", "5"), file("BAT0", "energy_full", "0"),
              file("BAT0", "capacity", "40")}),
         true, 40, false, false},
        {"more than full reads as full",
         all({bat, file("BAT0", "energy_now", "51000000"),
              file("BAT0", "energy_full", "50000000")}),
         true, 100, false, false},
        {"an absurd capacity reads as 100", all({bat, file("BAT0", "capacity", "1000000000000")}),
         true, 100, false, false},
        {"empty capacity: no battery", all({bat, file("BAT0", "capacity", "")}), false, 100, false,
         false},
        {"capacity not a number: no battery", all({bat, file("BAT0", "capacity", "lots")}), false,
         100, false, false},
        {"negative capacity: no battery", all({bat, file("BAT0", "capacity", "-5")}), false, 100,
         false, false},
        {"too large for any integer: no battery",
         all({bat, file("BAT0", "capacity", "99999999999999999999999")}), false, 100, false, false},
        {"no charge files: no battery", bat, false, 100, false, false},
        {"a mouse's battery is not the machine's",
         all({bat, file("BAT0", "scope", "Device"), file("BAT0", "capacity", "5")}), false, 100,
         false, false},
        {"an empty battery bay",
         all({bat, file("BAT0", "present", "0"), file("BAT0", "capacity", "5")}), false, 100, false,
         false},
        {"two batteries are one",
         all({bat, file("BAT0", "energy_now", "30"), file("BAT0", "energy_full", "100"),
              file("BAT1", "type", "Battery"), file("BAT1", "energy_now", "60"),
              file("BAT1", "energy_full", "50")}),
         true, 53, false, false},
        {"two batteries in different units",
         all({bat, file("BAT0", "energy_now", "50"), file("BAT0", "energy_full", "100"),
              file("BAT1", "type", "Battery"), file("BAT1", "capacity", "100")}),
         true, 75, false, false},
        {"mains online, charging",
         all({bat, file("BAT0", "capacity", "50"), file("BAT0", "status", "Charging"),
              file("AC", "type", "Mains"), file("AC", "online", "1")}),
         true, 50, true, true},
        {"USB-C charger online, not charging",
         all({bat, file("BAT0", "capacity", "80"), file("BAT0", "status", "Not charging"),
              file("ucsi-source-psy-1", "type", "USB"), file("ucsi-source-psy-1", "online", "1")}),
         true, 80, true, false},
        {"mains offline",
         all({bat, file("BAT0", "capacity", "50"), file("AC", "type", "Mains"),
              file("AC", "online", "0")}),
         true, 50, false, false},
        {"a mains supply with garbage for online",
         all({bat, file("BAT0", "capacity", "50"), file("AC", "type", "Mains"),
              file("AC", "online", "yes")}),
         true, 50, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePowerSupplies tree;
        c.tree(tree);
        BatteryMonitor fresh(std::make_unique<SysfsPowerSourceReader>(time, tree.root()));
        fresh.read();
        EXPECT_TRUE(fresh.didRead());
        EXPECT_EQ(fresh.hasBattery(), c.hasBattery);
        EXPECT_EQ(fresh.level(), c.level);
        EXPECT_EQ(fresh.isPluggedIn(), c.plugged);
        EXPECT_EQ(fresh.isCharging(), c.charging);
    }
}

// Idle costs nothing on a desktop: with uevents to tell of a supply's coming
// there is no minute re-read, and a mouse's battery does not make one.
TEST_F(BatteryMonitorTest, ADesktopWithoutBatteryIsNeverWokenToReRead) {
    if (!UdevPowerSupplyWatch([] {}).isActive())
        GTEST_SKIP() << "no udev monitor on this machine: the minute re-read is all there is";
    supplies.set(QStringLiteral("AC"), QStringLiteral("type"), "Mains");
    supplies.set(QStringLiteral("AC"), QStringLiteral("online"), "1");
    supplies.set(QStringLiteral("hidpp_battery_0"), QStringLiteral("type"), "Battery");
    supplies.set(QStringLiteral("hidpp_battery_0"), QStringLiteral("scope"), "Device");
    supplies.set(QStringLiteral("hidpp_battery_0"), QStringLiteral("capacity"), "80");
    startMonitor();
    EXPECT_FALSE(monitor->hasBattery());
    EXPECT_EQ(time.pendingCount(), 0u);

    supplies.laptop(50, false);
    startMonitor();
    EXPECT_EQ(time.pendingCount(), 1u) << "a laptop is re-read every minute";
}

TEST_F(BatteryMonitorTest, UnreadableOrVanishingSuppliesNeitherCrashNorStorm) {
    supplies.laptop(50, false);
    startMonitor();
    // The whole class folder missing: nothing can be read, nothing changes.
    BatteryMonitor blind(
        std::make_unique<SysfsPowerSourceReader>(time, supplies.root() + "/nowhere"));
    blind.read();
    EXPECT_FALSE(blind.didRead());
    EXPECT_FALSE(blind.hasBattery());

    // A driver that briefly reports nonsense: no battery for that read, and
    // no notice for the jumps on either side of it.
    supplies.set(QStringLiteral("BAT0"), QStringLiteral("capacity"), "garbage");
    EXPECT_TRUE(nextMinute().empty());
    EXPECT_FALSE(monitor->hasBattery());
    EXPECT_EQ(monitor->level(), 50);
    supplies.laptop(49, false);
    EXPECT_TRUE(nextMinute().empty());
    EXPECT_TRUE(monitor->hasBattery());

    // The battery taken out entirely, then put back.
    supplies.removeSupply(QStringLiteral("BAT0"));
    EXPECT_TRUE(nextMinute().empty());
    EXPECT_FALSE(monitor->hasBattery());
    supplies.laptop(48, false);
    EXPECT_TRUE(nextMinute().empty());
    EXPECT_EQ(monitor->level(), 48);
}

#include "settings/AppLanguage.h"
#include "settings/DefaultsStore.h"
#include "settings/SettingsEnums.h"

#include <gtest/gtest.h>

using namespace zelvik;

namespace {

// The language is read from the process-wide store on every call.
class AppLanguageTest : public ::testing::Test {
protected:
    DefaultsStore& store = DefaultsStore::standard();
    void TearDown() override { store.remove(QStringLiteral("appLanguage")); }
    void setStored(const char* value) {
        store.setValue(QStringLiteral("appLanguage"), QString::fromUtf8(value));
    }
};

} // namespace

TEST_F(AppLanguageTest, OnlyExactlyLowerCaseTrIsTurkish) {
    store.remove(QStringLiteral("appLanguage"));
    EXPECT_EQ(currentLanguage(), AppLanguage::en);
    setStored("tr");
    EXPECT_EQ(currentLanguage(), AppLanguage::tr);
    for (const char* other : {"TR", "tr_TR", "tr-TR", " tr", "en", ""}) {
        setStored(other);
        EXPECT_EQ(currentLanguage(), AppLanguage::en) << other;
    }
}

TEST_F(AppLanguageTest, TextsFollowTheLanguageAtTheMomentTheyAreMade) {
    setStored("en");
    const QString before = localized("Shelf", "Raf");
    setStored("tr");
    EXPECT_EQ(before, QStringLiteral("Shelf"));
    EXPECT_EQ(localized("Shelf", "Raf"), QStringLiteral("Raf"));
    EXPECT_EQ(displayTitle(NotchAnimationStyle::snappy), QStringLiteral("Çevik"));
    EXPECT_EQ(pickerLabel(AppLanguage::en), QStringLiteral("English"));
    EXPECT_EQ(pickerLabel(AppLanguage::tr), QStringLiteral("Türkçe"));
}

TEST_F(AppLanguageTest, PercentAndUnitTexts) {
    setStored("en");
    EXPECT_EQ(percentText(20), QStringLiteral("20%"));
    EXPECT_EQ(secondsText(2.6), QStringLiteral("2.6 s"));
    EXPECT_EQ(millisecondsText(180.9), QStringLiteral("180 ms"));
    setStored("tr");
    EXPECT_EQ(percentText(20), QStringLiteral("%20"));
    EXPECT_EQ(percentText(0), QStringLiteral("%0"));
    EXPECT_EQ(secondsText(2.6), QStringLiteral("2.6 sn"));
    EXPECT_EQ(millisecondsText(180), QStringLiteral("180 ms"));
}

TEST_F(AppLanguageTest, HeadingsUseTheLanguagesCaseRules) {
    setStored("tr");
    EXPECT_EQ(upperCasedHeading(QStringLiteral("Cihazlar")), QStringLiteral("CİHAZLAR"));
    EXPECT_EQ(upperCasedHeading(QStringLiteral("ılık")), QStringLiteral("ILIK"));
    setStored("en");
    EXPECT_EQ(upperCasedHeading(QStringLiteral("Devices")), QStringLiteral("DEVICES"));
    EXPECT_EQ(upperCasedHeading(QStringLiteral("Cihazlar")), QStringLiteral("CIHAZLAR"));
}

#include "settings/DefaultsStore.h"
#include "support/TestEnvironment.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace zelvik;

namespace {

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

} // namespace

TEST(DefaultsStore, RegistrationAnswersReadsButStoresNothing) {
    const QString path = test::freshSettingsPath();
    {
        DefaultsStore store(path);
        store.registerDefaults({{QStringLiteral("hoverDelay"), 180.0},
                                {QStringLiteral("haptics"), true},
                                {QStringLiteral("breakMinutes"), 5},
                                {QStringLiteral("openSize"), QStringLiteral("regular")}});
        EXPECT_DOUBLE_EQ(store.doubleValue(QStringLiteral("hoverDelay")), 180.0);
        EXPECT_TRUE(store.boolValue(QStringLiteral("haptics")));
        EXPECT_EQ(store.integerValue(QStringLiteral("breakMinutes")), 5);
        EXPECT_EQ(store.stringValue(QStringLiteral("openSize")), QStringLiteral("regular"));
        EXPECT_FALSE(store.hasStoredValue(QStringLiteral("hoverDelay")));
        // Unknown keys read as the type's zero, or nothing for strings and bytes.
        EXPECT_EQ(store.doubleValue(QStringLiteral("nope")), 0.0);
        EXPECT_FALSE(store.boolValue(QStringLiteral("nope")));
        EXPECT_EQ(store.integerValue(QStringLiteral("nope")), 0);
        EXPECT_FALSE(store.stringValue(QStringLiteral("nope")).has_value());
        EXPECT_FALSE(store.bytesValue(QStringLiteral("nope")).has_value());
    }
    DefaultsStore reread(path);
    EXPECT_FALSE(reread.hasStoredValue(QStringLiteral("hoverDelay")));
}

TEST(DefaultsStore, ValuesSurviveAReloadWithTheirTypes) {
    const QString path = test::freshSettingsPath();
    const QByteArray bytes("{\"label\":\"Pomodoro\"}\0\xff", 22);
    {
        DefaultsStore store(path);
        store.setValue(QStringLiteral("d"), 2.6);
        store.setValue(QStringLiteral("b"), false);
        store.setValue(QStringLiteral("i"), 42);
        store.setValue(QStringLiteral("s"), QStringLiteral("Türkçe, with comma"));
        store.setValue(QStringLiteral("empty"), QString());
        store.setValue(QStringLiteral("bytes"), bytes);
    }
    DefaultsStore store(path);
    EXPECT_DOUBLE_EQ(store.doubleValue(QStringLiteral("d")), 2.6);
    EXPECT_FALSE(store.boolValue(QStringLiteral("b")));
    EXPECT_TRUE(store.hasStoredValue(QStringLiteral("b")));
    EXPECT_EQ(store.integerValue(QStringLiteral("i")), 42);
    EXPECT_EQ(store.stringValue(QStringLiteral("s")), QStringLiteral("Türkçe, with comma"));
    EXPECT_EQ(store.stringValue(QStringLiteral("empty")), QString());
    EXPECT_EQ(store.bytesValue(QStringLiteral("bytes")), bytes);
    // Text is not data, and data is not text.
    EXPECT_FALSE(store.bytesValue(QStringLiteral("s")).has_value());
    EXPECT_FALSE(store.stringValue(QStringLiteral("bytes")).has_value());

    store.remove(QStringLiteral("i"));
    EXPECT_FALSE(store.hasStoredValue(QStringLiteral("i")));
    EXPECT_EQ(store.integerValue(QStringLiteral("i")), 0);
}

TEST(DefaultsStore, WrongTypesReadAsTheRegisteredDefault) {
    const QString path = test::freshSettingsPath();
    writeFile(path, "[General]\n"
                    "hoverDelay=fast\n"
                    "haptics=maybe\n"
                    "breakMinutes=five\n"
                    "huge=1e300\n"
                    "frac=7.9\n"
                    "nan=nan\n"
                    "yes=YES\n");
    DefaultsStore store(path);
    store.registerDefaults({{QStringLiteral("hoverDelay"), 180.0},
                            {QStringLiteral("haptics"), true},
                            {QStringLiteral("breakMinutes"), 5},
                            {QStringLiteral("huge"), 3}});
    EXPECT_DOUBLE_EQ(store.doubleValue(QStringLiteral("hoverDelay")), 180.0);
    EXPECT_TRUE(store.boolValue(QStringLiteral("haptics")));
    EXPECT_EQ(store.integerValue(QStringLiteral("breakMinutes")), 5);
    // A number too large for an integer does not fit, so the default answers.
    EXPECT_EQ(store.integerValue(QStringLiteral("huge")), 3);
    EXPECT_EQ(store.integerValue(QStringLiteral("frac")), 7);
    EXPECT_TRUE(std::isnan(store.doubleValue(QStringLiteral("nan"))));
    EXPECT_TRUE(store.boolValue(QStringLiteral("yes")));
}

TEST(DefaultsStore, IntegerParsingIsDefinedForEveryDouble) {
    EXPECT_FALSE(parseInteger(QVariant(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_FALSE(parseInteger(QVariant(std::numeric_limits<double>::infinity())));
    EXPECT_FALSE(parseInteger(QVariant(9223372036854775808.0)));
    EXPECT_EQ(parseInteger(QVariant(-9223372036854775808.0)), std::numeric_limits<qint64>::min());
    EXPECT_EQ(parseInteger(QVariant(-2.7)), -2);
    EXPECT_EQ(parseInteger(QVariant(QStringLiteral(" 30 "))), 30);
}

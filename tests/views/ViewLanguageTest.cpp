// The one Language singleton of the QML views and the settings window.
#include "views/ViewLanguage.h"
#include "settings/DefaultsStore.h"
#include "settings/NotchSettings.h"
#include "views/NotchViews.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QtQml/qqml.h>

#include <gtest/gtest.h>

#include <memory>

using namespace zelvik;

namespace {

class ViewLanguageTest : public ::testing::Test {
protected:
    void SetUp() override { registerViewTypes(); }
    void TearDown() override { DefaultsStore::standard().remove(QStringLiteral("appLanguage")); }

    std::unique_ptr<QObject> load(QQmlEngine& engine) {
        QQmlComponent component(&engine);
        component.setData("import QtQuick\n"
                          "import Zelvik.Views 1.0\n"
                          "QtObject {\n"
                          "  property string tab: Language.localized('Shelf', 'Raf')\n"
                          "  property string section: Language.heading('Liquid Glass')\n"
                          "}\n",
                          QUrl());
        std::unique_ptr<QObject> root(component.create());
        EXPECT_TRUE(root) << component.errorString().toStdString();
        return root;
    }
    static ViewLanguage* language(QQmlEngine& engine) {
        return engine.singletonInstance<ViewLanguage*>(qmlTypeId("Zelvik.Views", 1, 0, "Language"));
    }
};

} // namespace

TEST_F(ViewLanguageTest, BindingsFollowTheSettingsLanguageWithoutBeingMadeAgain) {
    NotchSettings settings(DefaultsStore::standard());
    QQmlEngine engine;
    ASSERT_NE(language(engine), nullptr);
    language(engine)->setSettings(&settings);
    const auto root = load(engine);
    ASSERT_TRUE(root);

    // The heading reads the same in both languages but not in capitals:
    // it must follow the language too.
    const struct {
        AppLanguage language;
        const char* tab;
        const char* section;
    } steps[] = {
        {AppLanguage::en, "Shelf", "LIQUID GLASS"},
        {AppLanguage::tr, "Raf", "LİQUİD GLASS"},
        {AppLanguage::en, "Shelf", "LIQUID GLASS"},
    };
    for (const auto& step : steps) {
        settings.setLanguage(step.language);
        EXPECT_EQ(root->property("tab").toString(), QString::fromUtf8(step.tab));
        EXPECT_EQ(root->property("section").toString(), QString::fromUtf8(step.section));
    }
}

TEST_F(ViewLanguageTest, WithoutSettingsTextsAreChosenWhenMadeAndChangesAreToldOnlyOnce) {
    DefaultsStore::standard().setValue(QStringLiteral("appLanguage"), QStringLiteral("tr"));
    QQmlEngine engine;
    const auto root = load(engine);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->property("tab").toString(), QStringLiteral("Raf"));

    // Naming settings whose language is the stored one tells nothing; a
    // change does, once.
    NotchSettings settings(DefaultsStore::standard());
    int told = 0;
    QObject::connect(language(engine), &ViewLanguage::turkishChanged, [&] { ++told; });
    language(engine)->setSettings(&settings);
    EXPECT_EQ(told, 0);
    settings.setLanguage(AppLanguage::en);
    settings.setLanguage(AppLanguage::en);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(root->property("tab").toString(), QStringLiteral("Shelf"));
}

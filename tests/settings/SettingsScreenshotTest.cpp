// Pictures of every page in both languages, for a look by eye:
// build/screenshots/settings-<language>-<page>.png as the window shows it,
// and ...-full.png with the window tall enough for the whole page.
#include "SettingsWindowFixture.h"

#include "settings/AppLanguage.h"
#include "settings/SettingsPage.h"
#include "views/Symbols.h"

#include <QDir>
#include <QImage>
#include <QSet>
#include <QTest>

namespace zelvik::test {
namespace {

class SettingsScreenshotTest : public SettingsWindowFixture {};

int distinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

TEST_F(SettingsScreenshotTest, EveryPageInBothLanguages) {
    const QString folder = QStringLiteral(ZELVIK_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    shelfStore->addText(QStringLiteral("A note"));
    showWindow();
    QSet<QString> symbolsSeen;
    for (const AppLanguage language : kAllLanguages) {
        settings->setLanguage(language);
        for (const SettingsPage p : kAllSettingsPages) {
            SCOPED_TRACE(rawValue(p).toStdString());
            window().resize(840, 600);
            selectPage(p);
            QQuickItem* title = find(QStringLiteral("pageTitle"));
            ASSERT_NE(title, nullptr);
            EXPECT_EQ(title->property("text").toString(), displayTitle(p));
            // Every symbol on the page is one the table knows, so none falls
            // back to the neutral dot by mistake.
            for (const QString& name : symbolsShown()) {
                EXPECT_TRUE(hasSymbol(name)) << '"' << name.toStdString() << '"';
                symbolsSeen.insert(name);
            }

            const QString base =
                folder + QStringLiteral("/settings-%1-%2").arg(rawValue(language), rawValue(p));
            const QImage shown = window().grabWindow();
            ASSERT_EQ(shown.size(), QSize(840, 600) * window().devicePixelRatio());
            // A page drawn with its sidebar, cards and texts, not a blank.
            EXPECT_GT(distinctColours(shown), 200);
            ASSERT_TRUE(shown.save(base + QStringLiteral(".png")));

            QQuickItem* column = page(p);
            const double needed =
                column->mapToScene({0, 0}).y() + column->property("contentHeight").toDouble();
            window().resize(840, std::max(600, int(std::ceil(needed))));
            settle();
            ASSERT_TRUE(window().grabWindow().save(base + QStringLiteral("-full.png")));
        }
    }
    settings->setLanguage(AppLanguage::en);
    // The walk reached the sidebar, the rows, the steppers and the drop-downs.
    for (const char* name : {"gearshape.fill", "info.circle.fill", "wand.and.rays",
                             "lock.shield.fill", "minus", "plus", "chevron.up.chevron.down"})
        EXPECT_TRUE(symbolsSeen.contains(QString::fromLatin1(name))) << name;

    // The reset's confirmation over the About page.
    selectPage(SettingsPage::about);
    click(find(QStringLiteral("resetButton")));
    QQuickItem* cancel = find(QStringLiteral("cancelReset"));
    ASSERT_TRUE(cancel && cancel->isVisible());
    QTest::qWait(300); // the dialog fades in
    ASSERT_TRUE(
        window().grabWindow().save(folder + QStringLiteral("/settings-en-reset-confirmation.png")));
    click(cancel);

    // The preview with glass over the wallpaper, wide and open, then closed.
    settings->setGlassAmount(0.8);
    settings->setOpenSize(OpenSizePreset::large);
    selectPage(SettingsPage::appearance);
    QQuickItem* preview = find(QStringLiteral("notchPreview"));
    ASSERT_NE(preview, nullptr);
    ensureVisible(preview);
    QQuickItem* notch = find(QStringLiteral("previewNotch"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return notch->width() == 692.0; }, 5000));
    QTest::qWait(500); // the glass fades in
    ASSERT_TRUE(
        window().grabWindow().save(folder + QStringLiteral("/settings-en-preview-glass.png")));
    click(preview);
    ASSERT_TRUE(QTest::qWaitFor([&] { return notch->height() < 40; }, 5000));
    QTest::qWait(300);
    ASSERT_TRUE(
        window().grabWindow().save(folder + QStringLiteral("/settings-en-preview-closed.png")));
}

} // namespace
} // namespace zelvik::test

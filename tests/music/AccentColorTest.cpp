// The accent colour taken from a cover.
#include "monitors/AccentColor.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace zelvik;

namespace {

QImage filled(const QColor& color, QSize size = {40, 30}) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

void expectHsv(const QColor& color, float hue, float saturation, float value) {
    EXPECT_NEAR(color.hsvHueF(), hue, 0.01);
    EXPECT_NEAR(color.hsvSaturationF(), saturation, 0.01);
    EXPECT_NEAR(color.valueF(), value, 0.01);
    EXPECT_FLOAT_EQ(color.alphaF(), 1.0f);
}

} // namespace

TEST(AccentColorTest, DarkPaleAndGreyCoversGiveAVividOrLightAccent) {
    // Black and any grey: the light grey accent.
    for (const QColor& grey : {QColor(Qt::black), QColor(128, 128, 128), QColor(130, 120, 125)}) {
        const auto accent = accentColor(filled(grey));
        ASSERT_TRUE(accent);
        EXPECT_EQ(accent->rgb(), QColor::fromRgbF(0.92f, 0.92f, 0.92f).rgb());
    }
    // Dark red: hue and saturation stay, brightness is lifted to 0.88.
    expectHsv(*accentColor(filled(QColor::fromHsvF(0, 0.9f, 0.3f))), 0, 0.9f, 0.88f);
    // Dull blue: saturation is lifted to 0.5.
    expectHsv(*accentColor(filled(QColor::fromHsvF(0.6f, 0.2f, 0.95f))), 0.6f, 0.5f, 0.95f);
    // Vivid and bright covers keep their colour.
    expectHsv(*accentColor(filled(QColor::fromHsvF(0.3f, 0.8f, 0.9f))), 0.3f, 0.8f, 0.9f);
    EXPECT_FALSE(accentColor(QImage()));
}

TEST(AccentColorTest, TheAverageIsOverTheWholeAreaAndWeighsTransparency) {
    // Half red, half blue: purple, not the colour of any one pixel.
    QImage halves(100, 10, QImage::Format_ARGB32);
    halves.fill(Qt::red);
    QPainter(&halves).fillRect(50, 0, 50, 10, Qt::blue);
    EXPECT_EQ(averageColor(halves)->rgb(), QColor(128, 0, 128).rgb());

    // A quarter white in one corner of black: a quarter of the way up.
    QImage corner = filled(Qt::black, {20, 20});
    QPainter(&corner).fillRect(0, 0, 10, 10, Qt::white);
    EXPECT_EQ(averageColor(corner)->rgb(), QColor(64, 64, 64).rgb());

    // Transparent parts count as black, as in a premultiplied bitmap.
    QImage faded = filled(QColor(255, 0, 0, 0), {10, 10});
    QPainter(&faded).fillRect(0, 0, 5, 10, Qt::red);
    EXPECT_EQ(averageColor(faded)->rgb(), QColor(128, 0, 0).rgb());

    // Every format the decoder gives is read alike.
    const QImage indexed = filled(Qt::red).convertToFormat(QImage::Format_Indexed8);
    EXPECT_EQ(averageColor(indexed)->rgb(), QColor(Qt::red).rgb());
}

#include "views/NotchBackground.h"
#include "views/BehindWindowBlur.h"
#include "views/NotchShadow.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zelvik;

TEST(NotchBackground, BlackThinsOutAsTheGlassLayerComesIn) {
    auto expect = [](double glass, bool hasGlass, double glassOpacity, double black) {
        const NotchBackground::Layers l = NotchBackground::layersFor(glass);
        EXPECT_EQ(l.hasGlass, hasGlass) << glass;
        EXPECT_NEAR(l.glassOpacity, glassOpacity, 1e-12) << glass;
        EXPECT_NEAR(l.blackOpacity, black, 1e-12) << glass;
    };
    expect(0, false, 0, 1);
    expect(0.001, false, 0, 1 - 0.00082); // no glass layer at all up to 0.001
    expect(0.0011, true, 0.0033, 1 - 0.82 * 0.0011);
    expect(0.2, true, 0.6, 0.836);
    expect(1.0 / 3, true, 1, 1 - 0.82 / 3);
    expect(1, true, 1, 0.18);
    // Stored nonsense never makes the notch vanish or go negative.
    expect(-0.5, false, 0, 1);
    expect(4, true, 1, 0.18);
    expect(NAN, false, 0, 1);
}

TEST(NotchBackground, TintLaysOverTheMaterialAtAFifth) {
    const QColor plain = NotchBackground::glassColor(QColor());
    EXPECT_GT(plain.alphaF(), 0.3);
    EXPECT_LT(plain.alphaF(), 0.9);
    const QColor pink = NotchBackground::glassColor(QColor::fromRgbF(1.0f, 0.38f, 0.56f));
    // Source-over of an opaque tint at 0.18: alpha 0.18 + a (1 - 0.18).
    EXPECT_NEAR(pink.alphaF(), 0.18 + plain.alphaF() * 0.82, 1e-3);
    // The red channel moves towards the tint by the tint's share of the alpha.
    const double share = 0.18 / pink.alphaF();
    EXPECT_NEAR(pink.redF(), share * 1.0 + (1 - share) * plain.redF(), 2e-3);
    EXPECT_GT(pink.redF(), pink.greenF());
}

TEST(NotchShadow, BlurSpreadsAnEdgeLikeAGaussian) {
    QImage image(160, 160, QImage::Format_Alpha8);
    image.fill(0);
    for (int y = 40; y < 120; ++y)
        for (int x = 40; x < 120; ++x)
            image.scanLine(y)[x] = 255;
    long before = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 160; ++x)
            before += image.scanLine(y)[x];

    const double sigma = 6;
    blurAlpha(image, sigma);

    long after = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 160; ++x)
            after += image.scanLine(y)[x];
    EXPECT_NEAR(double(after) / before, 1.0, 0.02); // nothing lost or gained

    // Across the left edge (between x 39 and 40) on the middle row: half at
    // the edge, about 84% one sigma inside and 16% one sigma outside.
    const uchar* row = image.scanLine(80);
    EXPECT_NEAR(row[40] / 255.0, 0.5 + 0.033, 0.05);
    EXPECT_NEAR(row[40 + 6] / 255.0, 0.84, 0.05);
    EXPECT_NEAR(row[40 - 6] / 255.0, 0.16, 0.05);
    EXPECT_EQ(row[80], 255);
    EXPECT_EQ(row[2], 0);
    // Symmetric about the square's centre.
    EXPECT_NEAR(row[40 + 3], row[119 - 3], 1);
}

TEST(BehindWindowBlur, RegionIsTheOutlineInDevicePixels) {
    const NotchShape closed{8, 15};
    const QRegion region = BehindWindowBlur::regionFor(closed, QRectF(277, 0, 206, 32), 1);
    EXPECT_EQ(region.boundingRect(), QRect(277, 0, 206, 32));
    EXPECT_TRUE(region.contains(QPoint(380, 16)));
    EXPECT_TRUE(region.contains(QPoint(285, 16)));
    EXPECT_FALSE(region.contains(QPoint(283, 16))); // beside the body, under the flare
    EXPECT_FALSE(region.contains(QPoint(286, 31))); // the rounded bottom corner
    // The region covers about the outline's area.
    long area = 0;
    for (const QRect& r : region)
        area += long(r.width()) * r.height();
    EXPECT_NEAR(area, 190 * 32 - 2 * (1 - M_PI / 4) * 15 * 15 + 2 * (1 - M_PI / 4) * 8 * 8, 60);

    const QRegion doubled = BehindWindowBlur::regionFor(closed, QRectF(277, 0, 206, 32), 2);
    EXPECT_TRUE(QRect(554, 0, 412, 64).contains(doubled.boundingRect()));
    EXPECT_TRUE(doubled.contains(QRect(570, 0, 380, 60))); // the body, twice as large
    EXPECT_TRUE(BehindWindowBlur::regionFor(closed, QRectF(0, 0, 0, 32), 1).isEmpty());
}

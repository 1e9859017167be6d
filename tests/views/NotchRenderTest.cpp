// The root view drawn for real (offscreen), with a real model behind it.
#include "RenderSupport.h"
#include "model/ModelFixture.h"

#include <QQuickItem>
#include <QQuickWindow>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class NotchRender : public ModelFixture {};

} // namespace

TEST_F(NotchRender, TheClosedCapsuleIsBlackAtTheTopCentreAndNothingElseIsPainted) {
    RenderedRootView view(model.get());
    ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
    const QImage image = view.grab();
    saveForInspection(image, QStringLiteral("closed"));
    ASSERT_EQ(image.size(), QSize(760, 300));

    // The body is the notch, 190 wide, centred on x 380; the flares reach 8
    // further out at the very top.
    EXPECT_EQ(opaqueSpan(image, 16), std::make_pair(285, 474));
    EXPECT_EQ(opaqueHeight(image, 380), 32);
    const auto top = opaqueSpan(image, 0, 1);
    EXPECT_LE(top.first, 278);
    EXPECT_GE(top.second, 481);
    EXPECT_EQ(image.pixel(380, 16), qRgba(0, 0, 0, 255));
    EXPECT_EQ(paintedPixelsOutside(image, QRect(277, 0, 206, 32)), 0);
}

TEST_F(NotchRender, OpeningGrowsTheOutlineToTheOpenSize) {
    RenderedRootView view(model.get());
    ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
    model->open();
    // Regular open size 560 x 192: the body spans x 100...659.
    const QImage image = view.grabUntil([](const QImage& i) {
        return opaqueSpan(i, 100) == std::make_pair(100, 659) && opaqueHeight(i, 380) == 192;
    });
    saveForInspection(image, QStringLiteral("open"));
    EXPECT_EQ(opaqueSpan(image, 100), std::make_pair(100, 659));
    EXPECT_EQ(opaqueHeight(image, 380), 192);
}

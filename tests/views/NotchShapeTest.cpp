#include "views/NotchShape.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zelvik;

namespace {

using Radii = NotchShape::Radii;

QPointF elementAt(const QPainterPath& path, int i) {
    const QPainterPath::Element e = path.elementAt(i);
    return {e.x, e.y};
}

} // namespace

TEST(NotchShape, RadiiAreClampedToTheRectangle) {
    const NotchShape closed{8, 15};
    EXPECT_EQ(closed.effectiveRadii(QRectF(0, 0, 206, 32)), (Radii{8, 15}));
    // Narrower than 4 x topRadius: the flare takes a quarter of the width,
    // and the bottom corners at most half of what remains.
    EXPECT_EQ(closed.effectiveRadii(QRectF(0, 0, 20, 32)), (Radii{5, 5}));
    // Lower than t + bottomRadius: the bottom radius takes the rest of the height.
    EXPECT_EQ(closed.effectiveRadii(QRectF(0, 0, 206, 20)), (Radii{8, 12}));
    // Very flat: the flare is limited to half the height.
    EXPECT_EQ(closed.effectiveRadii(QRectF(0, 0, 206, 10)), (Radii{5, 5}));
    // Nothing goes below zero, whatever comes in.
    EXPECT_EQ((NotchShape{-3, -1}).effectiveRadii(QRectF(0, 0, 100, 40)), (Radii{0, 0}));
    EXPECT_EQ(closed.effectiveRadii(QRectF(0, 0, 0, 0)), (Radii{0, 0}));
    EXPECT_EQ(closed.effectiveRadii(QRectF(0, 0, -10, 30)), (Radii{0, 0}));
}

TEST(NotchShape, PathFollowsTheOutlineSteps) {
    // The closed notch frame at the window's top centre: 206 x 32 at x 277.
    const QPainterPath path = NotchShape{8, 15}.path(QRectF(277, 0, 206, 32));
    const double k = NotchShape::k;
    ASSERT_EQ(path.elementCount(), 1 + 3 + 1 + 3 + 1 + 3 + 1 + 3 + 1);
    EXPECT_EQ(elementAt(path, 0), QPointF(277, 0));
    // Top-left flare.
    EXPECT_EQ(elementAt(path, 1), QPointF(277 + k * 8, 0));
    EXPECT_EQ(elementAt(path, 2), QPointF(285, 8 - k * 8));
    EXPECT_EQ(elementAt(path, 3), QPointF(285, 8));
    // Down the left side, round the bottom-left corner.
    EXPECT_EQ(elementAt(path, 4), QPointF(285, 17));
    EXPECT_EQ(elementAt(path, 5), QPointF(285, 17 + k * 15));
    EXPECT_EQ(elementAt(path, 6), QPointF(300 - k * 15, 32));
    EXPECT_EQ(elementAt(path, 7), QPointF(300, 32));
    // Along the bottom, round the bottom-right corner, up the right side.
    EXPECT_EQ(elementAt(path, 8), QPointF(460, 32));
    EXPECT_EQ(elementAt(path, 11), QPointF(475, 17));
    EXPECT_EQ(elementAt(path, 12), QPointF(475, 8));
    // Top-right flare back to the top edge, then closed along it.
    EXPECT_EQ(elementAt(path, 13), QPointF(475, 8 - k * 8));
    EXPECT_EQ(elementAt(path, 14), QPointF(483 - k * 8, 0));
    EXPECT_EQ(elementAt(path, 15), QPointF(483, 0));
    EXPECT_EQ(elementAt(path, 16), QPointF(277, 0));
    EXPECT_EQ(path.boundingRect(), QRectF(277, 0, 206, 32));
}

TEST(NotchShape, CornersAreQuarterCirclesAndTheBodyIsTheInnerWidth) {
    const QRectF rect(0, 0, 592, 192); // the open notch: body 560 wide
    const QPainterPath path = NotchShape{16, 38}.path(rect);
    // The body between the flares is W - 2t wide at any height below them.
    EXPECT_TRUE(path.contains(QPointF(16.5, 100)));
    EXPECT_TRUE(path.contains(QPointF(575.5, 100)));
    EXPECT_FALSE(path.contains(QPointF(15.5, 100)));
    EXPECT_FALSE(path.contains(QPointF(576.5, 100)));
    // The flare fills the corner between the top edge and the curve...
    EXPECT_TRUE(path.contains(QPointF(2, 0.1)));
    EXPECT_FALSE(path.contains(QPointF(2, 10)));
    // ...and the bottom corner is cut round: its midpoint lies on a circle
    // of radius b about (t + b, H - b) to within the handle factor's error.
    const QPointF centre(16 + 38, 192 - 38);
    QPainterPath arc(elementAt(path, 4));
    arc.cubicTo(elementAt(path, 5), elementAt(path, 6), elementAt(path, 7));
    const QPointF onArc = arc.pointAtPercent(0.5);
    EXPECT_NEAR(std::hypot(onArc.x() - centre.x(), onArc.y() - centre.y()), 38, 38 * 0.003);
    EXPECT_FALSE(path.contains(QPointF(16 + 3, 192 - 3)));
    EXPECT_TRUE(path.contains(QPointF(16 + 38, 192 - 1)));
}

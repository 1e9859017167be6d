// The software renderer's stand-in for the outline mask: what it erases
// (the body's corner pockets, nothing inside the outline, nothing beside the
// body), that the outline's shadow survives in the pockets, and that the
// software renderer runs it over the contents.
#include "views/NotchShadow.h"
#include "views/NotchViews.h"
#include "views/SoftwareOutlineClip.h"

#include <QPainter>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QQuickWindow>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace zelvik;

namespace {

// The contents as drawn when the outline is 320 x 200 at (40, 0) with
// flares of 16 and corners of 38: white over the whole frame. The body runs
// from x 56 to 344; its corners round off below y 162.
const QRectF kFrame(40, 0, 320, 200);
const NotchShape kShape{16, 38};

struct Sample {
    const char* name;
    QPoint at;
    const char* expected; // "contents", "shadow" or "clear"
};
const Sample kSamples[] = {
    {"inside the outline", {200, 100}, "contents"},
    {"inside, near the bottom corner", {56 + 30, 195}, "contents"},
    {"the bottom-left pocket", {57, 198}, "pocket"},
    {"the bottom-right pocket", {342, 198}, "pocket"},
    {"a top flare's corner, beside the body", {41, 20}, "contents"},
};

QImage grabContent(QQuickWindow& window) {
    auto grab = window.contentItem()->grabToImage();
    if (!grab)
        return {};
    bool ready = false;
    QObject::connect(grab.data(), &QQuickItemGrabResult::ready, [&] { ready = true; });
    if (!QTest::qWaitFor([&] { return ready; }, 5000))
        return {};
    return grab->image();
}

} // namespace

TEST(SoftwareOutlineClip, ThePocketsAreTheBodyOutsideTheOutline) {
    struct Case {
        const char* name;
        QRectF rect;
        NotchShape shape;
        QPointF point;
        bool inPockets;
    };
    const QRectF open(0, 0, 592, 192); // an open notch: flares of 16, corners of 38
    const NotchShape openShape{16, 38};
    for (const Case& c : {
             Case{"the bottom-left corner of the body", open, openShape, {17, 191}, true},
             Case{"the bottom-right corner of the body", open, openShape, {575, 191}, true},
             Case{"just past the bottom-left curve", open, openShape, {16 + 38, 191}, false},
             Case{"the middle", open, openShape, {296, 96}, false},
             Case{"the body's side above the corner", open, openShape, {17, 150}, false},
             Case{"a top flare, beside the body", open, openShape, {4, 1}, false},
             Case{"below the outline", open, openShape, {296, 195}, false},
             // A low outline limits the corner to the height under the flare.
             Case{"a short notice's corner", {0, 0, 338, 30}, {8, 24}, {9, 29}, true},
             Case{"above a short corner", {0, 0, 338, 30}, {8, 24}, {9, 7}, false},
         }) {
        EXPECT_EQ(SoftwareOutlineClip::pockets(c.shape, c.rect).contains(c.point), c.inPockets)
            << c.name;
    }
}

TEST(SoftwareOutlineClip, ErasingLeavesThePocketsClearOrShadowed) {
    // The outline's shadow: its shape blurred, 8 lower, as NotchShadow paints it.
    NotchShadow shadowItem;
    shadowItem.setSize(QSizeF(kFrame.width() + 56, kFrame.height() + 56));
    shadowItem.setInset(28);
    shadowItem.setTopRadius(kShape.topRadius);
    shadowItem.setBottomRadius(kShape.bottomRadius);
    QImage scratch(shadowItem.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&scratch);
        shadowItem.paint(&painter);
    }
    const QRectF shadowRect(kFrame.x() - 28, 8 - 28, shadowItem.width(), shadowItem.height());

    for (const bool withShadow : {false, true}) {
        QImage image(400, 260, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.fillRect(kFrame, Qt::white);
        painter.translate(kFrame.topLeft());
        SoftwareOutlineClip::erase(
            painter, SoftwareOutlineClip::pockets(kShape, QRectF(QPointF(), kFrame.size())),
            withShadow ? shadowItem.image() : QImage(), shadowRect.translated(-kFrame.topLeft()),
            0.8);
        painter.end();
        for (const Sample& s : kSamples) {
            const QRgb p = image.pixel(s.at);
            if (std::string(s.expected) == "contents") {
                EXPECT_EQ(p, qRgba(255, 255, 255, 255)) << s.name;
            } else if (!withShadow) {
                EXPECT_EQ(qAlpha(p), 0) << s.name << ": cleared to the desktop";
            } else {
                // Dark and see-through, as the shadow alone is there.
                EXPECT_LT(qRed(p), 10) << s.name;
                EXPECT_GT(qAlpha(p), 20) << s.name;
                EXPECT_LT(qAlpha(p), 230) << s.name;
            }
        }
    }
}

TEST(SoftwareOutlineClip, TheSoftwareRendererRunsItOverTheContents) {
    registerViewTypes();
    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData(R"(
        import QtQuick
        import Zelvik.Views 1.0
        Item {
            width: 400; height: 260
            Item {
                x: 40; width: 320; height: 200
                Rectangle { anchors.fill: parent; color: "white" }
                SoftwareOutlineClip {
                    anchors.fill: parent
                    topRadius: 16; bottomRadius: 38
                }
            }
        })",
                      QUrl());
    std::unique_ptr<QObject> object(component.create());
    auto* root = qobject_cast<QQuickItem*>(object.get());
    ASSERT_NE(root, nullptr) << component.errorString().toStdString();
    QQuickWindow window;
    window.setColor(Qt::transparent);
    window.resize(400, 260);
    root->setParentItem(window.contentItem());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(window.rendererInterface()->graphicsApi(), QSGRendererInterface::Software);
    const QImage image = grabContent(window);
    ASSERT_FALSE(image.isNull());
    // (A grab's image has no alpha of its own to clear: what matters here is
    // that the contents are gone from the pockets and only from there.)
    for (const Sample& s : kSamples) {
        const bool white = image.pixel(s.at) == qRgba(255, 255, 255, 255);
        EXPECT_EQ(white, std::string(s.expected) == "contents") << s.name;
    }
}

#include "ModelFixture.h"

#include <QSignalSpy>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class NotchModelSizes : public ModelFixture {
protected:
    ScriptedMusic* music = new ScriptedMusic;
    void SetUp() override { model->setMusic(music); }
    void showWings() { music->set(true, QStringLiteral("One")); }
    void showNotice() {
        HUDEvent notice;
        notice.title = QStringLiteral("Charging");
        model->setHud(notice);
    }
};

} // namespace

TEST_F(NotchModelSizes, TheDefaultNotchInEveryState) {
    EXPECT_EQ(model->shapeSize(), QSizeF(190, 32));
    EXPECT_EQ(model->interactionSize(), QSizeF(230, 42));
    showWings();
    EXPECT_EQ(model->shapeSize(), QSizeF(278, 32));
    model->hover(true);
    EXPECT_EQ(model->shapeSize(), QSizeF(294, 38));
    music->set(false, QString());
    EXPECT_EQ(model->shapeSize(), QSizeF(206, 38));
    showNotice();
    EXPECT_EQ(model->shapeSize(), QSizeF(338, 62)); // no peeking growth under a notice
    model->hover(false);
    EXPECT_EQ(model->shapeSize(), QSizeF(338, 62));
    model->open();
    EXPECT_EQ(model->shapeSize(), QSizeF(560, 192));
    EXPECT_EQ(model->interactionSize(), QSizeF(616, 210));
}

TEST_F(NotchModelSizes, OpenSizePresetsFollowTheNotch) {
    const struct {
        OpenSizePreset preset;
        QSizeF small, wide;
    } cases[] = {
        {OpenSizePreset::compact, {510, 177}, {620, 182}},
        {OpenSizePreset::regular, {560, 192}, {670, 197}},
        {OpenSizePreset::large, {660, 212}, {770, 217}},
    };
    for (const auto& c : cases) {
        settings.setOpenSize(c.preset);
        model->setNotchSize({190, 32});
        EXPECT_EQ(model->openShapeSize(), c.small);
        model->setNotchSize({300, 37});
        EXPECT_EQ(model->openShapeSize(), c.wide);
    }
}

TEST_F(NotchModelSizes, DerivedSignalsFireOnlyOnRealChanges) {
    QSignalSpy shape(model.get(), &NotchModel::shapeSizeChanged);
    QSignalSpy openShape(model.get(), &NotchModel::openShapeSizeChanged);
    QSignalSpy activity(model.get(), &NotchModel::closedActivityChanged);
    QSignalSpy notch(model.get(), &NotchModel::notchSizeChanged);

    model->setNotchSize({190, 32});
    EXPECT_EQ(notch.count(), 0);
    EXPECT_EQ(shape.count(), 0);

    settings.setOpenSize(OpenSizePreset::large);
    EXPECT_EQ(openShape.count(), 1);
    EXPECT_EQ(shape.count(), 0); // closed: the open size is not on screen

    showWings();
    EXPECT_EQ(activity.count(), 1);
    EXPECT_EQ(shape.count(), 1);
    music->set(true, QStringLiteral("Two")); // another song, same wings
    EXPECT_EQ(activity.count(), 1);
    EXPECT_EQ(shape.count(), 1);
}

#include "views/NotchContainerState.h"
#include "model/ModelFixture.h"
#include "settings/NotchPreviewState.h"

#include <QSignalSpy>

#include <cmath>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class TintedMusic final : public MusicStatus {
public:
    void start() override {}
    bool isPlaying() const override { return playing; }
    QString trackTitle() const override { return QStringLiteral("Song"); }
    QString trackArtist() const override { return {}; }
    void refreshPosition() override {}
    void send(const QString&) override {}
    QColor accentColor() const override { return accent; }
    void setPlaying(bool value) {
        playing = value;
        emit changed();
    }
    bool playing = false;
    QColor accent = QColor::fromRgbF(1.0f, 0.38f, 0.56f);
};

class ContainerState : public ModelFixture {
protected:
    void SetUp() override { state.setModel(model.get()); }
    void showNotice() {
        HUDEvent notice;
        notice.title = QStringLiteral("Charging");
        model->setHud(notice);
    }
    NotchContainerState state;
};

} // namespace

TEST_F(ContainerState, RadiiAndFrameFollowTheStatusAndTheNotice) {
    EXPECT_EQ(state.content(), "closed");
    EXPECT_EQ(state.topRadius(), 8);
    EXPECT_EQ(state.bottomRadius(), 15);
    EXPECT_EQ(state.frameWidth(), 206); // 190 body + two flares of 8
    EXPECT_EQ(state.frameHeight(), 32);
    EXPECT_TRUE(state.acceptsClicks());

    QSignalSpy topChanges(&state, &NotchContainerState::topRadiusChanged);
    model->hover(true);
    EXPECT_EQ(state.frameWidth(), 222);
    EXPECT_EQ(state.frameHeight(), 38);
    EXPECT_EQ(topChanges.count(), 0); // peeking keeps the radii

    // A notice while peeking: the notice size, rounder, no peeking growth.
    showNotice();
    EXPECT_EQ(state.content(), "hud");
    EXPECT_EQ(state.bottomRadius(), 24);
    EXPECT_EQ(state.frameWidth(), 338 + 16);
    EXPECT_EQ(state.frameHeight(), 62);
    const QString firstKey = state.contentKey();
    EXPECT_TRUE(firstKey.startsWith("hud:"));
    showNotice();
    EXPECT_NE(state.contentKey(), firstKey); // each notice is new content

    model->open();
    EXPECT_EQ(state.content(), "open");
    EXPECT_EQ(state.topRadius(), 16);
    EXPECT_EQ(state.bottomRadius(), 38);
    EXPECT_EQ(state.frameWidth(), 592);
    EXPECT_EQ(state.frameHeight(), 192);
    EXPECT_FALSE(state.acceptsClicks());
    EXPECT_EQ(topChanges.count(), 1);

    settings.setOpenSize(OpenSizePreset::large);
    EXPECT_EQ(state.frameWidth(), 692);
    EXPECT_EQ(state.frameHeight(), 212);
}

TEST_F(ContainerState, ClosedOverAHardwareNotchStaysBlackUnlessGlassIsWantedThere) {
    settings.setGlassAmount(0.4);
    EXPECT_EQ(state.effectiveGlass(), 0); // notched, glassWhenClosed off
    model->hover(true);
    EXPECT_EQ(state.effectiveGlass(), 0); // peeking too
    showNotice();
    EXPECT_EQ(state.effectiveGlass(), 0.4);
    model->setHud(std::nullopt);
    EXPECT_EQ(state.effectiveGlass(), 0);
    model->open();
    EXPECT_EQ(state.effectiveGlass(), 0.4);
    model->close();
    EXPECT_EQ(state.effectiveGlass(), 0);
    settings.setGlassWhenClosed(true);
    EXPECT_EQ(state.effectiveGlass(), 0.4);
    settings.setGlassWhenClosed(false);
    model->setHasPhysicalNotch(false); // a capsule has no notch to merge with
    EXPECT_EQ(state.effectiveGlass(), 0.4);
}

TEST_F(ContainerState, ShadowOnlyWhenOpenAndLighterUnderGlass) {
    EXPECT_EQ(state.shadowOpacity(), 0);
    model->open();
    EXPECT_DOUBLE_EQ(state.shadowOpacity(), 0.55);
    settings.setGlassAmount(0.4);
    EXPECT_DOUBLE_EQ(state.shadowOpacity(), (1 - 0.2) * 0.55);
    settings.setShowShadow(false);
    EXPECT_EQ(state.shadowOpacity(), 0);
    settings.setShowShadow(true);
    model->close();
    EXPECT_EQ(state.shadowOpacity(), 0);
}

// The Appearance page's small notch must look as the notch will once the
// settings are applied: outline, glass and shadow, open and closed.
TEST_F(ContainerState, ThePreviewLooksLikeTheNotchForTheSameSettings) {
    NotchPreviewState preview;
    preview.setModel(model.get());
    const struct {
        double glass;
        bool glassWhenClosed;
        bool shadow;
        bool physicalNotch;
    } cases[] = {
        {0, false, true, true},    {0.4, false, true, true},          {0.4, true, true, true},
        {0.4, false, false, true}, {0.4, false, true, false},         {1.7, false, true, false},
        {-0.3, true, true, true},  {std::nan(""), true, true, false},
    };
    for (const auto& c : cases) {
        settings.setGlassAmount(c.glass);
        settings.setGlassWhenClosed(c.glassWhenClosed);
        settings.setShowShadow(c.shadow);
        model->setHasPhysicalNotch(c.physicalNotch);
        for (const bool open : {false, true}) {
            SCOPED_TRACE(testing::Message() << "glass " << c.glass << " when closed "
                                            << c.glassWhenClosed << " shadow " << c.shadow
                                            << " notch " << c.physicalNotch << " open " << open);
            open ? model->open() : model->close();
            preview.setOpen(open);
            EXPECT_EQ(preview.topRadius(), state.topRadius());
            EXPECT_EQ(preview.bottomRadius(), state.bottomRadius());
            EXPECT_EQ(preview.frameWidth(), state.frameWidth());
            EXPECT_EQ(preview.frameHeight(), state.frameHeight());
            EXPECT_EQ(preview.glass(), state.effectiveGlass());
            EXPECT_DOUBLE_EQ(preview.shadowOpacity(), state.shadowOpacity());
        }
    }
}

TEST_F(ContainerState, IdleCapsuleHidesOnlyWithoutNotchAndWithNothingToShow) {
    auto* music = new TintedMusic;
    model->setMusic(music);
    settings.setHideWhenIdleWithoutNotch(true);
    EXPECT_FALSE(state.hiddenWhenIdle()); // a hardware notch is always there
    model->setHasPhysicalNotch(false);
    EXPECT_TRUE(state.hiddenWhenIdle());

    model->hover(true);
    EXPECT_FALSE(state.hiddenWhenIdle());
    model->hover(false);
    EXPECT_TRUE(state.hiddenWhenIdle());

    showNotice();
    EXPECT_FALSE(state.hiddenWhenIdle());
    model->setHud(std::nullopt);
    EXPECT_TRUE(state.hiddenWhenIdle());

    music->setPlaying(true);
    EXPECT_FALSE(state.hiddenWhenIdle());
    music->setPlaying(false);
    EXPECT_TRUE(state.hiddenWhenIdle());

    FocusState focus;
    focus.endDate = time.now() + 600;
    model->setFocus(focus);
    EXPECT_FALSE(state.hiddenWhenIdle());
    model->setFocus(FocusState{});
    EXPECT_TRUE(state.hiddenWhenIdle());

    settings.setHideWhenIdleWithoutNotch(false);
    EXPECT_FALSE(state.hiddenWhenIdle());
}

TEST_F(ContainerState, TintIsTheArtworkAccentWhileMusicPlays) {
    auto* music = new TintedMusic;
    model->setMusic(music);
    settings.setTintWithArtwork(true);
    EXPECT_FALSE(state.tint().isValid());
    music->setPlaying(true);
    EXPECT_EQ(state.tint(), music->accent);
    settings.setTintWithArtwork(false);
    EXPECT_FALSE(state.tint().isValid());
    settings.setTintWithArtwork(true);
    music->setPlaying(false);
    EXPECT_FALSE(state.tint().isValid());
}

TEST_F(ContainerState, SpringFollowsTheAnimationStyle) {
    QSignalSpy springChanges(&state, &NotchContainerState::springChanged);
    settings.setAnimationStyle(NotchAnimationStyle::snappy);
    EXPECT_EQ(state.spring(), (SpringParameters{0.28, 0.86}));
    settings.setAnimationStyle(NotchAnimationStyle::smooth);
    EXPECT_EQ(state.spring(), (SpringParameters{0.5, 0.95}));
    settings.setAnimationStyle(NotchAnimationStyle::bouncy);
    EXPECT_EQ(state.spring(), (SpringParameters{0.45, 0.72}));
    EXPECT_EQ(springChanges.count(), 3);
}

TEST_F(ContainerState, ADragOverTheOutlineOpensTheShelf) {
    QSignalSpy targeted(model.get(), &NotchModel::isDropTargetedChanged);
    state.setDropTargeted(true);
    EXPECT_TRUE(model->isDropTargeted());
    EXPECT_EQ(model->status(), NotchStatus::open);
    EXPECT_EQ(model->tab(), ZelvikPanel::shelf);
    state.setDropTargeted(true);
    EXPECT_EQ(targeted.count(), 1);
    state.setDropTargeted(false);
    EXPECT_FALSE(model->isDropTargeted());
    EXPECT_EQ(model->status(), NotchStatus::open); // leaving does not close
}

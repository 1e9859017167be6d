#pragma once

#include "model/Scheduler.h"

#include <QList>
#include <QObject>
#include <QPointer>

namespace zelvik {

class NotchModel;

// The heights of the equalizer's four bars. While the song plays and the
// bars are on screen (`active`) each bar bounces at its own rate, redrawn at
// most 30 times a second; paused, every bar lies flat at 3 points and
// nothing wakes.
class EqualizerMotion : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("model/NotchModel.h")
    // The model lends its clock and scheduler.
    Q_PROPERTY(zelvik::NotchModel* model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(bool playing READ playing WRITE setPlaying NOTIFY playingChanged)
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)
    // Four heights in points, within 4...14 while playing, 3 when not.
    Q_PROPERTY(QList<qreal> heights READ heights NOTIFY heightsChanged)

public:
    static constexpr int kBars = 4;
    // 1/30 s, rounded up so frames never come faster.
    static constexpr int kFrameMs = 34;

    explicit EqualizerMotion(QObject* parent = nullptr);
    ~EqualizerMotion() override;

    NotchModel* model() const;
    void setModel(NotchModel* model);
    bool playing() const { return m_playing; }
    void setPlaying(bool playing);
    bool active() const { return m_active; }
    void setActive(bool active);
    QList<qreal> heights() const { return m_heights; }
    bool isTicking() const { return m_frame.isPending(); }

    // Bar `index` at `seconds` (since 2001-01-01 UTC).
    static double barHeight(int index, double seconds, bool playing);

signals:
    void modelChanged();
    void playingChanged();
    void activeChanged();
    void heightsChanged();

private:
    void refresh();

    QPointer<NotchModel> m_model;
    bool m_playing = false;
    bool m_active = true;
    QList<qreal> m_heights{3, 3, 3, 3};
    TaskHandle m_frame;
};

} // namespace zelvik

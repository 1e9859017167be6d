#pragma once

#include "model/Scheduler.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace zelvik {

class MusicMonitor;
class NotchModel;

// What the music tab's progress bar draws: how far the playhead is into the
// track and the elapsed and remaining times, carried forward every half
// second while the bar is on screen (`active`) and the song plays, and at
// once on every change the monitor reports. A paused song, or a bar that is
// not shown, wakes nobody. Seeking takes where a click or drag ended on the
// bar.
class MusicProgressState : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("model/NotchModel.h")
    // The model lends its clock, its scheduler and its music monitor.
    Q_PROPERTY(zelvik::NotchModel* model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)
    // Playhead / duration, within 0...1; 0 while the duration is unknown.
    Q_PROPERTY(double fraction READ fraction NOTIFY changed)
    // "00:13" and "-03:23".
    Q_PROPERTY(QString elapsedText READ elapsedText NOTIFY changed)
    Q_PROPERTY(QString remainingText READ remainingText NOTIFY changed)

public:
    // How often a shown bar of a playing song is carried forward.
    static constexpr int kRefreshMs = 500;

    explicit MusicProgressState(QObject* parent = nullptr);
    ~MusicProgressState() override;

    NotchModel* model() const;
    void setModel(NotchModel* model);
    bool active() const { return m_active; }
    void setActive(bool active);

    double fraction() const { return m_fraction; }
    QString elapsedText() const { return m_elapsedText; }
    QString remainingText() const { return m_remainingText; }
    bool isTicking() const { return m_tick.isPending(); }

    // Where on the track a click or drag that ended at `x` on a bar `width`
    // wide lands, as a fraction: x / width (x itself on a bar of a point or
    // less), kept within 0...1.
    static double seekFraction(double x, double width);
    // Seeks the monitor to that fraction of the track.
    Q_INVOKABLE void seekAt(double x, double width);

signals:
    void modelChanged();
    void activeChanged();
    void changed();

private:
    void follow();
    void refresh();
    void schedule();

    QPointer<NotchModel> m_model;
    QPointer<MusicMonitor> m_monitor;
    bool m_active = true;
    double m_fraction = 0;
    QString m_elapsedText = QStringLiteral("00:00");
    QString m_remainingText = QStringLiteral("-00:00");
    TaskHandle m_tick;
};

} // namespace zelvik

#pragma once

#include "CountdownTicker.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>

namespace zelvik {

class NotchModel;

// What the focus tab draws of the model's focus record at the current
// moment: the ring's progress, the remaining time, the label and state line,
// the preset chips with the selected one, and the start button's symbol and
// text. While `active` (the tab is on screen) and a period runs, it redraws
// once a second; otherwise it wakes nobody.
class FocusViewState : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("model/NotchModel.h")
    Q_PROPERTY(zelvik::NotchModel* model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)
    // The endDate lies ahead.
    Q_PROPERTY(bool running READ running NOTIFY changed)
    // No endDate and a pausedRemaining.
    Q_PROPERTY(bool paused READ paused NOTIFY changed)
    Q_PROPERTY(double remaining READ remaining NOTIFY changed)
    // remaining / duration, 0 for a duration of 0.
    Q_PROPERTY(double progress READ progress NOTIFY changed)
    Q_PROPERTY(QString timeText READ timeText NOTIFY changed)
    Q_PROPERTY(QString label READ label NOTIFY changed)
    Q_PROPERTY(QString stateText READ stateText NOTIFY changed)
    Q_PROPERTY(QString actionText READ actionText NOTIFY changed)
    Q_PROPERTY(QString actionSymbol READ actionSymbol NOTIFY changed)
    // One map per preset, in order: minutes, label (the tooltip), title
    // ("25 min"), selected.
    Q_PROPERTY(QVariantList presets READ presets NOTIFY changed)

public:
    explicit FocusViewState(QObject* parent = nullptr);

    NotchModel* model() const;
    void setModel(NotchModel* model);
    bool active() const { return m_active; }
    void setActive(bool active);

    bool running() const { return m_running; }
    bool paused() const { return m_paused; }
    double remaining() const { return m_remaining; }
    double progress() const { return m_progress; }
    QString timeText() const { return m_timeText; }
    QString label() const { return m_label; }
    QString stateText() const { return m_stateText; }
    QString actionText() const { return m_actionText; }
    QString actionSymbol() const { return m_actionSymbol; }
    QVariantList presets() const { return m_presets; }

    // The buttons of the tab.
    Q_INVOKABLE void startOrPause();
    Q_INVOKABLE void choosePreset(int minutes);
    Q_INVOKABLE void reset();

signals:
    void modelChanged();
    void activeChanged();
    void changed();

private:
    void refresh();

    QPointer<NotchModel> m_model;
    bool m_active = true;
    bool m_running = false;
    bool m_paused = false;
    double m_remaining = 0;
    double m_progress = 0;
    QString m_timeText;
    QString m_label;
    QString m_stateText;
    QString m_actionText;
    QString m_actionSymbol;
    QVariantList m_presets;
    CountdownTicker m_ticker;
};

} // namespace zelvik

#pragma once

#include "CountdownTicker.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

namespace zelvik {

class NotchModel;

// The live countdown of a running focus period, for the closed notch's right
// wing: "01:02" counting down to `end`, or "00:00" when there is no end or
// it has passed. It ticks by itself once a second, only while `active` (the
// wing is on screen); nothing in the model has to change for it to advance.
class FocusCountdown : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("model/NotchModel.h")
    // The model lends its clock and scheduler.
    Q_PROPERTY(zelvik::NotchModel* model READ model WRITE setModel NOTIFY modelChanged)
    // Seconds since 2001-01-01 UTC; undefined for none.
    Q_PROPERTY(QVariant end READ end WRITE setEnd NOTIFY endChanged)
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(QString text READ text NOTIFY textChanged)

public:
    explicit FocusCountdown(QObject* parent = nullptr);

    NotchModel* model() const;
    void setModel(NotchModel* model);
    QVariant end() const { return m_end; }
    void setEnd(const QVariant& end);
    bool active() const { return m_active; }
    void setActive(bool active);
    QString text() const { return m_text; }

signals:
    void modelChanged();
    void endChanged();
    void activeChanged();
    void textChanged();

private:
    void refresh();

    QPointer<NotchModel> m_model;
    QVariant m_end;
    bool m_active = true;
    QString m_text = QStringLiteral("00:00");
    CountdownTicker m_ticker;
};

// An optional point in time as QML hands it over: a finite number, else none.
std::optional<double> optionalSeconds(const QVariant& value);

} // namespace zelvik

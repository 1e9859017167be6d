#pragma once

#include <QMetaProperty>
#include <QObject>
#include <QPointer>
#include <QString>

namespace zelvik {

class NotchSettings;

// One numeric setting as a slider or stepper shows it: the stored value
// clamped into the row's range (a value that is no number shows as the
// setting's default), its text in the row's format, and the one way to
// write it, commit(), which puts the user's value on the row's grid first.
// Showing never writes: a stored -5 stays -5 until the user moves the row.
class RangedSetting : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("settings/NotchSettings.h")
    Q_PROPERTY(
        zelvik::NotchSettings* settings READ settings WRITE setSettings NOTIFY settingsChanged)
    // A numeric property of NotchSettings: "glassAmount", "hoverDelay",
    // "closeDelay", "breakMinutes", "lowBatteryThreshold", "hudDuration".
    Q_PROPERTY(QString key READ key WRITE setKey NOTIFY keyChanged)
    Q_PROPERTY(double from READ from WRITE setFrom NOTIFY rangeChanged)
    Q_PROPERTY(double to READ to WRITE setTo NOTIFY rangeChanged)
    // 0 for a continuous row.
    Q_PROPERTY(double step READ step WRITE setStep NOTIFY rangeChanged)
    Q_PROPERTY(
        zelvik::RangedSetting::Format format READ format WRITE setFormat NOTIFY formatChanged)
    Q_PROPERTY(double value READ value NOTIFY valueChanged)
    Q_PROPERTY(QString text READ text NOTIFY textChanged)
public:
    // Capitalised: QML reaches only enumerators that start with a capital.
    enum class Format {
        // 0...1 shown as a whole percentage: "35%" / "%35".
        FractionAsPercent,
        // A whole percentage: "20%" / "%20".
        Percent,
        // "180 ms" in both languages.
        Milliseconds,
        // "2.5 s" / "2.5 sn".
        Seconds,
        // "5 min" / "5 dk".
        Minutes,
    };
    Q_ENUM(Format)

    explicit RangedSetting(QObject* parent = nullptr);

    NotchSettings* settings() const { return m_settings; }
    void setSettings(NotchSettings* settings);
    QString key() const { return m_key; }
    void setKey(const QString& key);
    double from() const { return m_from; }
    void setFrom(double from);
    double to() const { return m_to; }
    void setTo(double to);
    double step() const { return m_step; }
    void setStep(double step);
    Format format() const { return m_format; }
    void setFormat(Format format);

    double value() const { return m_value; }
    QString text() const;

    // The nearest value on the grid from `from` in steps of `step`, within
    // the range; a value that is no number gives the current value.
    Q_INVOKABLE double snapped(double candidate) const;
    // Writes snapped(candidate) to the setting.
    Q_INVOKABLE void commit(double candidate);
    // Moves by whole steps from the value on show, as a stepper's buttons do.
    Q_INVOKABLE void stepBy(int steps);

    static QString formatted(Format format, double value);

signals:
    void settingsChanged();
    void keyChanged();
    void rangeChanged();
    void formatChanged();
    void valueChanged();
    void textChanged();

private slots:
    void refresh();

private:
    void rebind();
    double storedValue() const;
    double defaultValue() const;

    QPointer<NotchSettings> m_settings;
    QString m_key;
    QMetaProperty m_property;
    QList<QMetaObject::Connection> m_connections;
    double m_from = 0;
    double m_to = 1;
    double m_step = 0;
    Format m_format = Format::FractionAsPercent;
    double m_value = 0;
};

} // namespace zelvik

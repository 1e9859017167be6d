#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariant>

namespace zelvik {

class NotchSettings;
struct ChoiceBinding;

// The options of one picker row, bound to the setting named by `key`:
// "language", "openSize", "animationStyle", "defaultTab", "shelfAutoClear",
// "shelfCopyFiles" or "focusSound". Titles follow the interface language;
// `currentIndex` shows the stored value, or the setting's default when the
// stored value is none of the options (an unknown sound name), without
// writing anything. Only choose() writes the setting.
class SettingChoices : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("settings/NotchSettings.h")
    Q_PROPERTY(
        zelvik::NotchSettings* settings READ settings WRITE setSettings NOTIFY settingsChanged)
    Q_PROPERTY(QString key READ key WRITE setKey NOTIFY keyChanged)
    Q_PROPERTY(QStringList titles READ titles NOTIFY titlesChanged)
    Q_PROPERTY(int currentIndex READ currentIndex NOTIFY currentIndexChanged)
    // The stored form of the option on show ("regular", 7, "Glass", ...).
    Q_PROPERTY(QVariant currentValue READ currentValue NOTIFY currentIndexChanged)
public:
    explicit SettingChoices(QObject* parent = nullptr);

    NotchSettings* settings() const { return m_settings; }
    void setSettings(NotchSettings* settings);
    QString key() const { return m_key; }
    void setKey(const QString& key);

    QStringList titles() const;
    int currentIndex() const { return m_currentIndex; }
    QVariant currentValue() const;

    // Writes the option at `index` to the setting; other indexes do nothing.
    Q_INVOKABLE void choose(int index);

signals:
    void settingsChanged();
    void keyChanged();
    void titlesChanged();
    void currentIndexChanged();

private:
    const ChoiceBinding* binding() const;
    void rebind();
    void refreshIndex();

    QPointer<NotchSettings> m_settings;
    QList<QMetaObject::Connection> m_connections;
    QString m_key;
    int m_currentIndex = -1;
};

} // namespace zelvik

#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>

namespace zelvik {

class NotchSettings;

// The interface language for QML, behind the one singleton `Language` of
// module Zelvik.Views (Language.qml) that the notch and the settings window
// both use, so texts stay side by side where they are shown:
//   text: Language.localized("Quit Zelvik", "Zelvik'den çık")
//   text: Language.heading("Devices")    // "DEVICES", "CİHAZLAR"
// It picks what C++ texts pick: the stored language, read when asked. Once
// `settings` names the settings the window shows, every binding that called
// localized() or heading() is evaluated again when their language changes:
// those two are functions of the singleton that read `turkish`.
class ViewLanguage : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("settings/NotchSettings.h")
    // Whose language changes the window follows; null: texts are chosen when
    // they are made, and nothing is told of a change.
    Q_PROPERTY(
        zelvik::NotchSettings* settings READ settings WRITE setSettings NOTIFY settingsChanged)
    // Texts are in Turkish now.
    Q_PROPERTY(bool turkish READ turkish NOTIFY turkishChanged)
public:
    explicit ViewLanguage(QObject* parent = nullptr);

    [[nodiscard]] NotchSettings* settings() const;
    void setSettings(NotchSettings* settings);
    [[nodiscard]] bool turkish() const;

    // Upper case with the case rules of the language: the Turkish dotted i
    // becomes İ. The language is passed in so that the calling binding
    // depends on it (see Language.heading).
    Q_INVOKABLE QString upperCased(const QString& text, bool turkish) const;

signals:
    void settingsChanged();
    void turkishChanged();

private:
    void languageMayHaveChanged();

    QPointer<NotchSettings> m_settings;
    QMetaObject::Connection m_languageConnection;
    // What the bindings were last told.
    bool m_turkish = false;
};

} // namespace zelvik

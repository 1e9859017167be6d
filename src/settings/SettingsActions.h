#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

namespace zelvik {

class NotchModel;

// What the settings pages' buttons do to the rest of Zelvik, and the few
// model values they show: the sample notice, opening the real notch, the
// shelf's count, folder and emptying, the focus sound's preview, the reset,
// and the version of this build.
class SettingsActions : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("model/NotchModel.h")
    Q_PROPERTY(zelvik::NotchModel* model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(int shelfCount READ shelfCount NOTIFY shelfCountChanged)
    Q_PROPERTY(QString version READ version CONSTANT)
public:
    explicit SettingsActions(QObject* parent = nullptr);

    NotchModel* model() const { return m_model; }
    void setModel(NotchModel* model);
    int shelfCount() const { return m_shelfCount; }
    // The build's version, "0.1".
    static QString version();

    // A notice with the sparkles symbol: "Hi, I'm Zelvik".
    Q_INVOKABLE void showSampleAlert();
    Q_INVOKABLE void showOnRealNotch();
    Q_INVOKABLE void showShelfFolder();
    Q_INVOKABLE void emptyShelf();
    // Plays a sound of the focus sound picker; the empty name is silence.
    Q_INVOKABLE bool playSound(const QString& name);
    // Every setting back to its default; the shelf, the focus timer and the
    // login item stay as they are.
    Q_INVOKABLE void resetAllSettings();

signals:
    void modelChanged();
    void shelfCountChanged();

private:
    void refreshShelfCount();

    QPointer<NotchModel> m_model;
    QMetaObject::Connection m_shelfConnection;
    int m_shelfCount = 0;
};

} // namespace zelvik

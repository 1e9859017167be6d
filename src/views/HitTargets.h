#pragma once

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QRectF>

namespace zelvik {

class HitTarget;
class NotchModel;

// Collects the named rectangles of the open notch's header buttons, in the
// window's coordinates (origin top-left), and hands the whole map to the
// model's hitTargets whenever it changes. The window controller runs those
// buttons from global mouse events with it. Frames are measured after every
// frame the window animates, so a button that moves, appears or goes away is
// reported as it is drawn, and nothing runs while the window stands still.
//   HitTargetsKey { id: targets; model: root.model }
//   HitTarget { key: targets; name: "settings"; anchors.fill: parent }
class HitTargetsKey : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("model/NotchModel.h")
    Q_PROPERTY(zelvik::NotchModel* model READ model WRITE setModel NOTIFY modelChanged)
    // A view on its way out stops reporting, so it cannot overwrite the
    // rectangles of the view that replaces it.
    Q_PROPERTY(bool reporting READ reporting WRITE setReporting NOTIFY reportingChanged)

public:
    explicit HitTargetsKey(QObject* parent = nullptr);

    NotchModel* model() const;
    void setModel(NotchModel* model);
    bool reporting() const { return m_reporting; }
    void setReporting(bool reporting);

    void add(HitTarget* target);
    void remove(HitTarget* target);
    // Measures every visible target now and reports a changed map.
    void collect();
    QMap<QString, QRectF> measured() const;

signals:
    void modelChanged();
    void reportingChanged();

private:
    void watchWindow(QQuickWindow* window);

    QPointer<NotchModel> m_model;
    bool m_reporting = true;
    QList<QPointer<HitTarget>> m_targets;
    QList<QPointer<QQuickWindow>> m_windows;
    std::optional<QMap<QString, QRectF>> m_reported;
};

// One named rectangle: the item's own frame.
class HitTarget : public QQuickItem {
    Q_OBJECT
    Q_PROPERTY(zelvik::HitTargetsKey* key READ key WRITE setKey NOTIFY keyChanged)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)

public:
    explicit HitTarget(QQuickItem* parent = nullptr);
    ~HitTarget() override;

    HitTargetsKey* key() const { return m_key; }
    void setKey(HitTargetsKey* key);
    QString name() const { return m_name; }
    void setName(const QString& name);

signals:
    void keyChanged();
    void nameChanged();

protected:
    void itemChange(ItemChange change, const ItemChangeData& value) override;

private:
    QPointer<HitTargetsKey> m_key;
    QString m_name;
};

} // namespace zelvik

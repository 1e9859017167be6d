#include "HitTargets.h"

#include "model/NotchModel.h"

#include <QQuickWindow>

namespace zelvik {

HitTargetsKey::HitTargetsKey(QObject* parent)
    : QObject(parent) {}

NotchModel* HitTargetsKey::model() const {
    return m_model;
}

void HitTargetsKey::setModel(NotchModel* model) {
    if (m_model == model)
        return;
    m_model = model;
    m_reported.reset();
    emit modelChanged();
    collect();
}

void HitTargetsKey::setReporting(bool reporting) {
    if (m_reporting == reporting)
        return;
    m_reporting = reporting;
    m_reported.reset();
    emit reportingChanged();
    collect();
}

void HitTargetsKey::add(HitTarget* target) {
    if (!target)
        return;
    if (!m_targets.contains(target))
        m_targets << target;
    watchWindow(target->window());
    collect();
}

void HitTargetsKey::remove(HitTarget* target) {
    // Not measured again here: a target goes away as its view is torn down,
    // and the next frame reports what is left.
    m_targets.removeAll(target);
    m_targets.removeAll(nullptr);
}

void HitTargetsKey::watchWindow(QQuickWindow* window) {
    m_windows.removeAll(nullptr);
    if (!window || m_windows.contains(window))
        return;
    m_windows << window;
    connect(window, &QQuickWindow::afterAnimating, this, &HitTargetsKey::collect);
}

QMap<QString, QRectF> HitTargetsKey::measured() const {
    QMap<QString, QRectF> rects;
    for (const QPointer<HitTarget>& target : m_targets) {
        if (!target || target->name().isEmpty() || !target->window() || !target->isVisible())
            continue;
        rects.insert(target->name(), target->mapRectToScene(target->boundingRect()));
    }
    return rects;
}

void HitTargetsKey::collect() {
    if (!m_model || !m_reporting)
        return;
    const QMap<QString, QRectF> rects = measured();
    if (m_reported == rects)
        return;
    m_reported = rects;
    m_model->setHitTargets(rects);
}

HitTarget::HitTarget(QQuickItem* parent)
    : QQuickItem(parent) {}

HitTarget::~HitTarget() {
    if (m_key)
        m_key->remove(this);
}

void HitTarget::setKey(HitTargetsKey* key) {
    if (m_key == key)
        return;
    if (m_key)
        m_key->remove(this);
    m_key = key;
    if (key)
        key->add(this);
    emit keyChanged();
}

void HitTarget::setName(const QString& name) {
    if (m_name == name)
        return;
    m_name = name;
    emit nameChanged();
    if (m_key)
        m_key->collect();
}

void HitTarget::itemChange(ItemChange change, const ItemChangeData& value) {
    QQuickItem::itemChange(change, value);
    if (change == ItemSceneChange && m_key)
        m_key->add(this); // watches the new window
}

} // namespace zelvik

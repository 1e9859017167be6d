#include "NotchDropArea.h"

#include "model/NotchModel.h"

#include <QMimeData>

namespace zelvik {

NotchDropArea::NotchDropArea(QQuickItem* parent)
    : QQuickItem(parent) {
    setFlag(ItemAcceptsDrops, true);
}

NotchModel* NotchDropArea::model() const {
    return m_model;
}

void NotchDropArea::setModel(NotchModel* model) {
    if (m_model == model)
        return;
    m_model = model;
    emit modelChanged();
}

void NotchDropArea::setTargeted(bool targeted) {
    if (!m_model)
        return;
    m_model->setIsDropTargeted(targeted);
    if (targeted)
        m_model->open(ZelvikPanel::shelf);
}

void NotchDropArea::acceptWithShelfAction(QDropEvent* event) {
    // A drag that starts in Zelvik is a shelf entry on its way out: passing
    // over the notch must not put it on the shelf a second time.
    if (!m_model || !event->mimeData() || event->source()) {
        event->ignore();
        return;
    }
    // Deciding the action per event (not once at the start) keeps it right
    // when the copy setting changes while the drag is held over the notch.
    event->setDropAction(m_model->dropAction(*event->mimeData(), event->possibleActions()));
    event->accept();
}

void NotchDropArea::dragEnterEvent(QDragEnterEvent* event) {
    acceptWithShelfAction(event);
    if (event->isAccepted())
        setTargeted(true);
}

void NotchDropArea::dragMoveEvent(QDragMoveEvent* event) {
    acceptWithShelfAction(event);
}

void NotchDropArea::dragLeaveEvent(QDragLeaveEvent* event) {
    setTargeted(false);
    event->accept();
}

void NotchDropArea::dropEvent(QDropEvent* event) {
    setTargeted(false);
    acceptWithShelfAction(event);
    if (event->isAccepted())
        m_model->handleDrop(*event->mimeData());
}

} // namespace zelvik

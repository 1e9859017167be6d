#include "ShelfDragOut.h"

#include "ThumbnailImage.h"
#include "model/NotchModel.h"

#include <QDrag>
#include <QMimeData>
#include <QPixmap>
#include <QQuickWindow>

namespace zelvik {

ShelfDragOut::ShelfDragOut(QObject* parent)
    : QObject(parent) {}

NotchModel* ShelfDragOut::model() const {
    return m_model;
}

void ShelfDragOut::setModel(NotchModel* model) {
    if (m_model == model)
        return;
    m_model = model;
    emit modelChanged();
}

bool ShelfDragOut::start(const QVariant& item, QQuickItem* source, QQuickItem* thumbnail) {
    if (!m_model || !source || !item.canConvert<ShelfItem>())
        return false;
    QMimeData* content = m_model->dragOutContent(item.value<ShelfItem>());
    if (!content)
        return false;
    // The drag belongs to the window, not to the tile: leaving the notch
    // closes it and takes the tile away while the drag goes on.
    QObject* owner = source->window() ? static_cast<QObject*>(source->window()) : source;
    auto* drag = new QDrag(owner);
    drag->setMimeData(content);
    if (auto* image = qobject_cast<ThumbnailImage*>(thumbnail); image && image->ready()) {
        const QPixmap picture = QPixmap::fromImage(image->image())
                                    .scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        drag->setPixmap(picture);
        drag->setHotSpot(QPoint(picture.width() / 2, picture.height() / 2));
    }
    // Other applications get a copy (or a link to a referenced file); the
    // entry never leaves the shelf.
    // Nothing of this object is touched after the drag: the shelf view that
    // holds it may be gone by then.
    const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
    return action != Qt::IgnoreAction;
}

} // namespace zelvik

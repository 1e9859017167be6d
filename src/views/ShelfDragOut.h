#pragma once

#include <QObject>
#include <QPointer>
#include <QVariant>

class QQuickItem;

namespace zelvik {

class NotchModel;

// Drags a shelf entry out of the notch to other applications, carrying the
// entry's own content: its file's URL, its link or its text. The drag shows
// the tile's thumbnail when it has one.
class ShelfDragOut : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("model/NotchModel.h")
    Q_PROPERTY(zelvik::NotchModel* model READ model WRITE setModel NOTIFY modelChanged)

public:
    explicit ShelfDragOut(QObject* parent = nullptr);

    NotchModel* model() const;
    void setModel(NotchModel* model);

    // Starts the drag of `item` (a ShelfItem) from `source`; returns once it
    // is over. `thumbnail` (a ThumbnailImage, may be null) lends its picture.
    // Whether the entry was taken (copied) by a target.
    Q_INVOKABLE bool start(const QVariant& item, QQuickItem* source, QQuickItem* thumbnail);

signals:
    void modelChanged();

private:
    QPointer<NotchModel> m_model;
};

} // namespace zelvik

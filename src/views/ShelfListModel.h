#pragma once

#include "shelf/ShelfItem.h"

#include <QAbstractListModel>
#include <QPointer>

namespace zelvik {

class NotchModel;

// The model's shelf list as a list model for the shelf tab's row of tiles.
// Each reload of the list is applied as the rows that really came and went
// (matched by id), so tiles that stay keep their view, their thumbnail and
// their place in an animation, and only new or removed tiles animate.
class ShelfListModel : public QAbstractListModel {
    Q_OBJECT
    Q_MOC_INCLUDE("model/NotchModel.h")
    Q_PROPERTY(zelvik::NotchModel* model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Role {
        ItemRole = Qt::UserRole + 1, // the ShelfItem
        IdRole,
        TitleRole,
        KindRole,     // "file", "image", "video", "link", "text"
        SymbolRole,   // the kind's symbol name
        FilePathRole, // local path of a file, image or video; empty otherwise
    };

    explicit ShelfListModel(QObject* parent = nullptr);

    NotchModel* model() const;
    void setModel(NotchModel* model);
    int count() const { return static_cast<int>(m_items.size()); }
    const QList<ShelfItem>& items() const { return m_items; }

    // Brings the rows to `items`, in its order, with the fewest row changes
    // that keep rows of the same id in place.
    void apply(const QList<ShelfItem>& items);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The symbol a tile shows without a thumbnail.
    static QString symbolFor(ShelfItem::Kind kind);

signals:
    void modelChanged();
    void countChanged();

private:
    void reload();

    QPointer<NotchModel> m_model;
    QList<ShelfItem> m_items;
};

} // namespace zelvik

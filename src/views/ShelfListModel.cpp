#include "ShelfListModel.h"

#include "model/NotchModel.h"

#include <QSet>

namespace zelvik {

ShelfListModel::ShelfListModel(QObject* parent)
    : QAbstractListModel(parent) {}

NotchModel* ShelfListModel::model() const {
    return m_model;
}

void ShelfListModel::setModel(NotchModel* model) {
    if (m_model == model)
        return;
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (model)
        connect(model, &NotchModel::shelfChanged, this, &ShelfListModel::reload);
    emit modelChanged();
    reload();
}

void ShelfListModel::reload() {
    apply(m_model ? m_model->shelf() : QList<ShelfItem>());
}

void ShelfListModel::apply(const QList<ShelfItem>& items) {
    const int before = count();
    QSet<QUuid> wanted;
    for (const ShelfItem& item : items)
        wanted.insert(item.id);

    // First the rows that went, from the back so the rows ahead keep their
    // numbers.
    for (int row = count() - 1; row >= 0; --row) {
        if (wanted.contains(m_items[row].id))
            continue;
        int first = row;
        while (first > 0 && !wanted.contains(m_items[first - 1].id))
            --first;
        beginRemoveRows({}, first, row);
        m_items.erase(m_items.begin() + first, m_items.begin() + row + 1);
        endRemoveRows();
        row = first;
    }

    // Then walk the new list: a row already in place stays (its data is
    // refreshed), one found further on moves here, a new one is inserted.
    for (int row = 0; row < items.size(); ++row) {
        const ShelfItem& item = items[row];
        if (row < count() && m_items[row].id == item.id) {
            if (!(m_items[row] == item)) {
                m_items[row] = item;
                emit dataChanged(index(row), index(row));
            }
            continue;
        }
        int found = -1;
        for (int other = row + 1; other < count(); ++other) {
            if (m_items[other].id == item.id) {
                found = other;
                break;
            }
        }
        if (found >= 0) {
            beginMoveRows({}, found, found, {}, row);
            m_items.move(found, row);
            endMoveRows();
            if (!(m_items[row] == item)) {
                m_items[row] = item;
                emit dataChanged(index(row), index(row));
            }
        } else {
            beginInsertRows({}, row, row);
            m_items.insert(row, item);
            endInsertRows();
        }
    }
    // Anything left past the end was a duplicate id in the old list.
    if (count() > items.size()) {
        beginRemoveRows({}, static_cast<int>(items.size()), count() - 1);
        m_items.resize(items.size());
        endRemoveRows();
    }
    if (count() != before)
        emit countChanged();
}

int ShelfListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant ShelfListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ShelfItem& item = m_items[index.row()];
    switch (role) {
    case ItemRole:
        return QVariant::fromValue(item);
    case IdRole:
        return item.idString();
    case Qt::DisplayRole:
    case TitleRole:
        return item.title;
    case KindRole:
        return item.kindName();
    case SymbolRole:
        return symbolFor(item.kind);
    case FilePathRole:
        if (m_model && item.hasFile())
            return m_model->entryFileUrl(item).toLocalFile();
        return QString();
    default:
        return {};
    }
}

QHash<int, QByteArray> ShelfListModel::roleNames() const {
    return {
        {ItemRole, "item"}, {IdRole, "itemId"},     {TitleRole, "title"},
        {KindRole, "kind"}, {SymbolRole, "symbol"}, {FilePathRole, "filePath"},
    };
}

QString ShelfListModel::symbolFor(ShelfItem::Kind kind) {
    switch (kind) {
    case ShelfItem::Kind::image:
        return QStringLiteral("photo.fill");
    case ShelfItem::Kind::video:
        return QStringLiteral("film.fill");
    case ShelfItem::Kind::link:
        return QStringLiteral("link");
    case ShelfItem::Kind::text:
        return QStringLiteral("text.quote");
    case ShelfItem::Kind::file:
        break;
    }
    return QStringLiteral("doc.fill");
}

} // namespace zelvik

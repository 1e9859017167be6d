// The shelf operations of the model: each hands the work to the shelf's
// actions and then brings the model's list up to date from the file.
#include "NotchModel.h"

#include "HUDProducers.h"
#include "settings/NotchSettings.h"
#include "shelf/ShelfActions.h"

#include <QMimeData>
#include <QPointer>

#include <memory>

namespace zelvik {

void NotchModel::handleDrop(const QMimeData& data) {
    if (!m_shelfActions)
        return;
    m_shelfActions->importDrop(data, m_settings->shelfCopyFiles(),
                               [self = QPointer(this)](int added) {
                                   if (!self || added == 0)
                                       return;
                                   self->reloadShelf();
                                   self->hapticTick();
                               });
}

Qt::DropAction NotchModel::dropAction(const QMimeData& data, Qt::DropActions offered) const {
    return shelfDropAction(data, m_settings->shelfCopyFiles(), offered);
}

int NotchModel::handleDropData(const QVariantMap& formats, int offeredActions) {
    QMimeData data;
    for (auto it = formats.cbegin(); it != formats.cend(); ++it) {
        const QVariant& value = it.value();
        data.setData(it.key(), value.typeId() == QMetaType::QByteArray ? value.toByteArray()
                                                                       : value.toString().toUtf8());
    }
    const Qt::DropAction action = dropAction(data, Qt::DropActions(offeredActions));
    handleDrop(data);
    return action;
}

void NotchModel::addScreenshot(const QUrl& file) {
    if (!m_shelfActions)
        return;
    if (m_shelfActions->addScreenshot(file))
        reloadShelf();
    showScreenshotHUD(*this);
}

void NotchModel::openEntry(const ShelfItem& item) {
    if (!m_shelfActions)
        return;
    if (item.kind == ShelfItem::Kind::text)
        copyEntry(item);
    else
        m_shelfActions->open(item);
}

void NotchModel::copyEntry(const ShelfItem& item) {
    if (!m_shelfActions)
        return;
    m_shelfActions->copyToClipboard(item);
    hapticTick();
}

void NotchModel::revealEntry(const ShelfItem& item) {
    if (m_shelfActions)
        m_shelfActions->reveal(item);
}

void NotchModel::revealShelfFolder() {
    if (m_shelfActions)
        m_shelfActions->revealFolder();
}

QMimeData* NotchModel::dragOutContent(const ShelfItem& item) const {
    return m_shelfActions ? m_shelfActions->dragOutContent(item) : new QMimeData;
}

QVariantMap NotchModel::dragOutData(const ShelfItem& item) const {
    return m_shelfActions ? m_shelfActions->dragOutData(item) : QVariantMap();
}

void NotchModel::removeEntry(const ShelfItem& item) {
    if (m_shelfActions)
        m_shelfActions->remove(item);
    reloadShelf();
}

void NotchModel::clearShelf() {
    if (m_shelfActions)
        m_shelfActions->clear();
    reloadShelf();
}

QUrl NotchModel::entryFileUrl(const ShelfItem& item) const {
    return m_shelfActions ? m_shelfActions->entryFileURL(item) : QUrl();
}

bool NotchModel::canShareShelf() const {
    return m_shelfActions && m_shelfActions->canShare(m_shelfActions->shareableUrls(m_shelf));
}

bool NotchModel::sharingAvailable() const {
    return m_shelfActions && m_shelfActions->sharingAvailable();
}

void NotchModel::shareShelf() {
    if (m_shelfActions)
        m_shelfActions->share(m_shelfActions->shareableUrls(m_shelf));
}

void NotchModel::shareUrls(const QList<QUrl>& urls) {
    if (m_shelfActions)
        m_shelfActions->share(urls);
}

} // namespace zelvik

#include "NotchDropArea.h"

#include "model/NotchModel.h"

#include <QMimeData>

#include <algorithm>

namespace zelvik {

namespace {
bool g_readsDataOnEnter = false;
}

NotchDropArea::NotchDropArea(QQuickItem* parent)
    : QQuickItem(parent) {
    setFlag(ItemAcceptsDrops, true);
}

NotchDropArea::~NotchDropArea() = default;

void NotchDropArea::setReadsDataOnEnter(bool reads) {
    g_readsDataOnEnter = reads;
}

bool NotchDropArea::readsDataOnEnter() {
    return g_readsDataOnEnter;
}

std::unique_ptr<QMimeData> NotchDropArea::copyOf(const QMimeData& data) {
    auto copy = std::make_unique<QMimeData>();
    for (const QString& format : data.formats())
        copy->setData(format, data.data(format));
    return copy;
}

bool NotchDropArea::carriesData(const QMimeData& data) {
    const QStringList formats = data.formats();
    return std::any_of(formats.cbegin(), formats.cend(),
                       [&data](const QString& format) { return !data.data(format).isEmpty(); });
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
    m_enteredData.reset();
    if (g_readsDataOnEnter && event->mimeData())
        m_enteredData = copyOf(*event->mimeData());
    acceptWithShelfAction(event);
    if (event->isAccepted())
        setTargeted(true);
}

void NotchDropArea::dragMoveEvent(QDragMoveEvent* event) {
    acceptWithShelfAction(event);
}

void NotchDropArea::dragLeaveEvent(QDragLeaveEvent* event) {
    m_enteredData.reset();
    setTargeted(false);
    event->accept();
}

void NotchDropArea::dropEvent(QDropEvent* event) {
    setTargeted(false);
    const std::unique_ptr<QMimeData> entered = std::move(m_enteredData);
    if (!m_model || !event->mimeData()) {
        event->ignore();
        return;
    }
    // A bridge that has let go of the data by now: the drop is the drag that
    // entered, with the data read then.
    const QMimeData& data =
        entered && !carriesData(*event->mimeData()) ? *entered : *event->mimeData();
    event->setDropAction(m_model->dropAction(data, event->possibleActions()));
    event->accept();
    m_model->handleDrop(data);
}

} // namespace zelvik

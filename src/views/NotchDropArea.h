#pragma once

#include <QPointer>
#include <QQuickItem>

#include <memory>

class QMimeData;

namespace zelvik {

class NotchModel;

// Where things dragged from other programs land on the notch. A drag over it
// marks the model as drop-targeted and opens the shelf; a drop goes to the
// shelf import with the whole of the drop's data, and the source is told the
// action the shelf took (a copy, or a link for files kept by reference).
class NotchDropArea : public QQuickItem {
    Q_OBJECT
    Q_MOC_INCLUDE("model/NotchModel.h")
    Q_PROPERTY(zelvik::NotchModel* model READ model WRITE setModel NOTIFY modelChanged)

public:
    explicit NotchDropArea(QQuickItem* parent = nullptr);
    ~NotchDropArea() override;

    NotchModel* model() const;
    void setModel(NotchModel* model);

    // For desktops whose drag bridge hands out the dragged data only while
    // the drag lasts and no longer once it has been dropped, which is when
    // Qt asks for it (XWayland bringing a Wayland program's drag to X11
    // windows): the data is read as the drag enters and dropped from that
    // copy when the drop itself brings none. Process-wide; off by default.
    static void setReadsDataOnEnter(bool reads);
    static bool readsDataOnEnter();
    // A copy of every format of `data`.
    static std::unique_ptr<QMimeData> copyOf(const QMimeData& data);
    // Whether any format of `data` has anything in it.
    static bool carriesData(const QMimeData& data);

signals:
    void modelChanged();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void setTargeted(bool targeted);
    void acceptWithShelfAction(QDropEvent* event);

    QPointer<NotchModel> m_model;
    // The data read as the current drag entered, where that is done.
    std::unique_ptr<QMimeData> m_enteredData;
};

} // namespace zelvik

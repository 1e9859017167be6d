#pragma once

#include <QPointer>
#include <QQuickItem>

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

    NotchModel* model() const;
    void setModel(NotchModel* model);

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
};

} // namespace zelvik

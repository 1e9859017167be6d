#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>

namespace zelvik {

class NotchModel;

// The small notch of the Appearance page: the outline as the real notch
// would draw it with the appearance settings on show (open size, glass,
// glass when closed, artwork tint, shadow, animation spring), open or
// closed as the user flips it by clicking. Sizes are the real notch's, in
// points; the page scales them down.
class NotchPreviewState : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("model/NotchModel.h")
    Q_PROPERTY(zelvik::NotchModel* model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(bool open READ isOpen WRITE setOpen NOTIFY openChanged)
    Q_PROPERTY(double frameWidth READ frameWidth NOTIFY shapeChanged)
    Q_PROPERTY(double frameHeight READ frameHeight NOTIFY shapeChanged)
    Q_PROPERTY(double topRadius READ topRadius NOTIFY shapeChanged)
    Q_PROPERTY(double bottomRadius READ bottomRadius NOTIFY shapeChanged)
    Q_PROPERTY(double glass READ glass NOTIFY lookChanged)
    Q_PROPERTY(QColor tint READ tint NOTIFY lookChanged)
    Q_PROPERTY(double shadowOpacity READ shadowOpacity NOTIFY lookChanged)
    Q_PROPERTY(double springResponse READ springResponse NOTIFY springChanged)
    Q_PROPERTY(double springDampingFraction READ springDampingFraction NOTIFY springChanged)
public:
    // The cover colour the preview pretends is playing, so "Tint with album
    // color" shows.
    static QColor sampleArtworkColor() { return QColor::fromRgbF(0.93f, 0.42f, 0.30f); }

    explicit NotchPreviewState(QObject* parent = nullptr);

    NotchModel* model() const { return m_model; }
    void setModel(NotchModel* model);
    bool isOpen() const { return m_open; }
    void setOpen(bool open);
    Q_INVOKABLE void toggle() { setOpen(!m_open); }

    double frameWidth() const { return m_frameWidth; }
    double frameHeight() const { return m_frameHeight; }
    double topRadius() const { return m_topRadius; }
    double bottomRadius() const { return m_bottomRadius; }
    double glass() const { return m_glass; }
    QColor tint() const { return m_tint; }
    double shadowOpacity() const { return m_shadowOpacity; }
    double springResponse() const { return m_springResponse; }
    double springDampingFraction() const { return m_springDamping; }

signals:
    void modelChanged();
    void openChanged();
    void shapeChanged();
    void lookChanged();
    void springChanged();

private:
    void refresh();

    QPointer<NotchModel> m_model;
    QList<QMetaObject::Connection> m_connections;
    bool m_open = true;
    double m_frameWidth = 0;
    double m_frameHeight = 0;
    double m_topRadius = 0;
    double m_bottomRadius = 0;
    double m_glass = 0;
    QColor m_tint;
    double m_shadowOpacity = 0;
    double m_springResponse = 0.5;
    double m_springDamping = 0.85;
};

} // namespace zelvik

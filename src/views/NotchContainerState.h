#pragma once

#include "NotchSpring.h"
#include "model/NotchTypes.h"

#include <QColor>
#include <QObject>
#include <QPointer>

namespace zelvik {

class NotchModel;

// What the notch container draws, derived from the model and its settings:
// the outline's radii and frame, the effective glass amount, the tint, the
// shadow, whether the idle shape hides, and the spring that animates it all.
// QML binds to these; every property signals only on a real change.
class NotchContainerState : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("model/NotchModel.h")
    Q_PROPERTY(zelvik::NotchModel* model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(QString content READ content NOTIFY contentChanged)
    Q_PROPERTY(QString contentKey READ contentKey NOTIFY contentKeyChanged)
    Q_PROPERTY(double topRadius READ topRadius NOTIFY topRadiusChanged)
    Q_PROPERTY(double bottomRadius READ bottomRadius NOTIFY bottomRadiusChanged)
    Q_PROPERTY(double frameWidth READ frameWidth NOTIFY frameWidthChanged)
    Q_PROPERTY(double frameHeight READ frameHeight NOTIFY frameHeightChanged)
    Q_PROPERTY(double effectiveGlass READ effectiveGlass NOTIFY effectiveGlassChanged)
    Q_PROPERTY(QColor tint READ tint NOTIFY tintChanged)
    Q_PROPERTY(double shadowOpacity READ shadowOpacity NOTIFY shadowOpacityChanged)
    Q_PROPERTY(bool hiddenWhenIdle READ hiddenWhenIdle NOTIFY hiddenWhenIdleChanged)
    Q_PROPERTY(bool acceptsClicks READ acceptsClicks NOTIFY acceptsClicksChanged)
    Q_PROPERTY(double springResponse READ springResponse NOTIFY springChanged)
    Q_PROPERTY(double springDampingFraction READ springDampingFraction NOTIFY springChanged)

public:
    explicit NotchContainerState(QObject* parent = nullptr);

    NotchModel* model() const;
    void setModel(NotchModel* model);

    // "closed", "hud" or "open": which content the outline shows.
    QString content() const { return m_content; }
    // Changes whenever the content is replaced, also from one notice to the next.
    QString contentKey() const { return m_contentKey; }
    double topRadius() const { return m_topRadius; }
    double bottomRadius() const { return m_bottomRadius; }
    // The outline's frame: the body (the model's shape size) plus a top flare
    // of topRadius on each side.
    double frameWidth() const { return m_frameWidth; }
    double frameHeight() const { return m_frameHeight; }
    double effectiveGlass() const { return m_effectiveGlass; }
    QColor tint() const { return m_tint; }
    double shadowOpacity() const { return m_shadowOpacity; }
    bool hiddenWhenIdle() const { return m_hiddenWhenIdle; }
    // A click on the shape opens the notch while it is not open.
    bool acceptsClicks() const { return m_acceptsClicks; }
    SpringParameters spring() const { return m_spring; }
    double springResponse() const { return m_spring.response; }
    double springDampingFraction() const { return m_spring.dampingFraction; }

    // A drag starts or stops targeting the outline. Starting opens the
    // notch on the shelf, where the dropped items will go.
    Q_INVOKABLE void setDropTargeted(bool targeted);
    // Ends the program through its event loop, whichever view hosts the notch.
    Q_INVOKABLE void quitApplication();

signals:
    void modelChanged();
    void contentChanged();
    void contentKeyChanged();
    void topRadiusChanged();
    void bottomRadiusChanged();
    void frameWidthChanged();
    void frameHeightChanged();
    void effectiveGlassChanged();
    void tintChanged();
    void shadowOpacityChanged();
    void hiddenWhenIdleChanged();
    void acceptsClicksChanged();
    void springChanged();

private:
    void refresh();
    void watchMusic();

    QPointer<NotchModel> m_model;
    QMetaObject::Connection m_musicConnection;

    QString m_content = QStringLiteral("closed");
    QString m_contentKey = QStringLiteral("closed");
    double m_topRadius = 8;
    double m_bottomRadius = 15;
    double m_frameWidth = 0;
    double m_frameHeight = 0;
    double m_effectiveGlass = 0;
    QColor m_tint;
    double m_shadowOpacity = 0;
    bool m_hiddenWhenIdle = false;
    bool m_acceptsClicks = true;
    SpringParameters m_spring = springFor(NotchAnimationStyle::smooth);
};

} // namespace zelvik

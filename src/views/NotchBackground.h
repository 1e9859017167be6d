#pragma once

#include "NotchShapeItem.h"

#include <QColor>

namespace zelvik {

// The inside of the notch outline. At glass 0 it is solid black, so the
// surface merges with a hardware notch; as the glass amount rises the black
// thins out over a translucent glass layer.
class NotchBackground : public NotchShapeItem {
    Q_OBJECT
    Q_PROPERTY(double glass READ glass WRITE setGlass NOTIFY glassChanged)
    Q_PROPERTY(QColor tint READ tint WRITE setTint NOTIFY tintChanged)
    Q_PROPERTY(bool hasGlassLayer READ hasGlassLayer NOTIFY glassChanged)

public:
    // How strongly each layer shows for a glass amount (clamped to 0...1):
    // the glass layer exists only above 0.001 and reaches full strength at
    // 1/3; the black on top of it keeps 0.18 even at full glass.
    struct Layers {
        bool hasGlass = false;
        double glassOpacity = 0;
        double blackOpacity = 1;
    };
    static Layers layersFor(double glass);

    // The glass layer's own colour: a dark translucent material standing in
    // for the blur the compositor may add behind it, with the tint (when
    // valid) laid over it at 0.18. Premultiplied compositing, so the layer can
    // be painted in one fill and faded as a whole.
    static QColor glassColor(const QColor& tint);

    explicit NotchBackground(QQuickItem* parent = nullptr);

    double glass() const { return m_glass; }
    bool hasGlassLayer() const { return layersFor(m_glass).hasGlass; }
    void setGlass(double value);
    QColor tint() const { return m_tint; }
    void setTint(const QColor& value);

    void paint(QPainter* painter) override;

signals:
    void glassChanged();
    void tintChanged();

private:
    double m_glass = 0;
    QColor m_tint;
};

} // namespace zelvik

#include "NotchModel.h"

namespace zelvik {

// The views report their header buttons as {name: rect}; anything that is not
// a rectangle is left out rather than hit-tested as an empty one.
void NotchModel::setHitTargets(const QVariantMap& targets) {
    QMap<QString, QRectF> rects;
    for (auto it = targets.cbegin(); it != targets.cend(); ++it) {
        const QVariant& value = it.value();
        if (value.canConvert<QRectF>())
            rects.insert(it.key(), value.toRectF());
    }
    m_hitTargets = rects;
}

} // namespace zelvik

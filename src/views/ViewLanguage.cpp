#include "ViewLanguage.h"

#include "settings/AppLanguage.h"

namespace zelvik {

QString ViewLanguage::localized(const QString& english, const QString& turkish) const {
    return zelvik::localized(english, turkish);
}

} // namespace zelvik

#include "TextCase.h"

#include "AppLanguage.h"

namespace zelvik {

QString TextCase::heading(const QString& text, bool turkish) const {
    return upperCasedHeading(text, turkish ? AppLanguage::tr : AppLanguage::en);
}

} // namespace zelvik

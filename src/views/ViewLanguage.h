#pragma once

#include <QObject>
#include <QString>

namespace zelvik {

// Gives QML the same choice between the English and the Turkish literal that
// C++ texts make, so both stay side by side where the text is used:
//   text: Language.localized("Quit Zelvik", "Zelvik'den çık")
class ViewLanguage : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE QString localized(const QString& english, const QString& turkish) const;
};

} // namespace zelvik

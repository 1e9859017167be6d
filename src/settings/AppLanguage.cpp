#include "AppLanguage.h"

#include "DefaultsStore.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace zelvik {

QString rawValue(AppLanguage language) {
    return language == AppLanguage::tr ? QStringLiteral("tr") : QStringLiteral("en");
}

QString pickerLabel(AppLanguage language) {
    return language == AppLanguage::tr ? QStringLiteral("Türkçe") : QStringLiteral("English");
}

AppLanguage currentLanguage(const DefaultsStore& store) {
    const auto stored = store.stringValue(QStringLiteral("appLanguage"));
    return stored && *stored == u"tr" ? AppLanguage::tr : AppLanguage::en;
}

AppLanguage currentLanguage() {
    return currentLanguage(DefaultsStore::standard());
}

QString localized(const char* english, const char* turkish) {
    return QString::fromUtf8(currentLanguage() == AppLanguage::tr ? turkish : english);
}

QString localized(const QString& english, const QString& turkish) {
    return currentLanguage() == AppLanguage::tr ? turkish : english;
}

QString percentText(int percent) {
    const QString digits = QString::number(percent);
    return currentLanguage() == AppLanguage::tr ? u'%' + digits : digits + u'%';
}

QString millisecondsText(double milliseconds) {
    const double t = std::isfinite(milliseconds) ? std::trunc(milliseconds) : 0.0;
    return QString::number(static_cast<qint64>(std::clamp(t, -1e15, 1e15))) + QStringLiteral(" ms");
}

QString secondsText(double seconds) {
    return QString::asprintf("%.1f", seconds) + localized(" s", " sn");
}

QString upperCasedHeading(const QString& text) {
    return upperCasedHeading(text, currentLanguage());
}

QString upperCasedHeading(const QString& text, AppLanguage language) {
    const bool turkish = language == AppLanguage::tr;
    return QLocale(turkish ? QStringLiteral("tr_TR") : QStringLiteral("en_US")).toUpper(text);
}

} // namespace zelvik

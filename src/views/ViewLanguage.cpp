#include "ViewLanguage.h"

#include "settings/AppLanguage.h"
#include "settings/NotchSettings.h"

namespace zelvik {

ViewLanguage::ViewLanguage(QObject* parent)
    : QObject(parent)
    , m_turkish(turkish()) {}

NotchSettings* ViewLanguage::settings() const {
    return m_settings;
}

void ViewLanguage::setSettings(NotchSettings* settings) {
    if (m_settings == settings)
        return;
    disconnect(m_languageConnection);
    m_settings = settings;
    if (settings)
        m_languageConnection = connect(settings, &NotchSettings::languageChanged, this,
                                       &ViewLanguage::languageMayHaveChanged);
    emit settingsChanged();
    languageMayHaveChanged();
}

bool ViewLanguage::turkish() const {
    return currentLanguage() == AppLanguage::tr;
}

void ViewLanguage::languageMayHaveChanged() {
    const bool now = turkish();
    if (now == m_turkish)
        return;
    m_turkish = now;
    emit turkishChanged();
}

QString ViewLanguage::upperCased(const QString& text, bool turkish) const {
    return upperCasedHeading(text, turkish ? AppLanguage::tr : AppLanguage::en);
}

} // namespace zelvik

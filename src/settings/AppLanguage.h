#pragma once

#include "SettingsEnums.h"

#include <QString>

#include <array>

namespace zelvik {

class DefaultsStore;

inline constexpr std::array<AppLanguage, 2> kAllLanguages{AppLanguage::en, AppLanguage::tr};

QString rawValue(AppLanguage language);
// Picker label, each in its own language: "English", "Türkçe".
QString pickerLabel(AppLanguage language);

// The language in force now, read from the store on every call: exactly "tr"
// is Turkish, anything else (missing, "TR", "tr_TR") English.
AppLanguage currentLanguage();
AppLanguage currentLanguage(const DefaultsStore& store);

// Every user-visible text is written in both languages at its point of use;
// this picks the one for the current language. The literals are UTF-8.
QString localized(const char* english, const char* turkish);
QString localized(const QString& english, const QString& turkish);

// "80%" in English, "%80" in Turkish.
QString percentText(int percent);
// "180 ms" in both languages; the value is truncated to an integer.
QString millisecondsText(double milliseconds);
// "2.6 s" in English, "2.6 sn" in Turkish.
QString secondsText(double seconds);
// Upper case with the case rules of the language (Turkish i becomes İ).
QString upperCasedHeading(const QString& text);
QString upperCasedHeading(const QString& text, AppLanguage language);

} // namespace zelvik

#include "DefaultsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cmath>
#include <limits>

namespace zelvik {

DefaultsStore::DefaultsStore(const QString& filePath)
    : m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {
    QDir().mkpath(QFileInfo(filePath).absolutePath());
}

DefaultsStore::~DefaultsStore() {
    m_settings->sync();
}

DefaultsStore& DefaultsStore::standard() {
    static DefaultsStore store(standardPath());
    return store;
}

QString DefaultsStore::standardPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Zelvik/Zelvik.conf");
}

QString DefaultsStore::filePath() const {
    return m_settings->fileName();
}

void DefaultsStore::registerDefaults(const std::vector<std::pair<QString, QVariant>>& defaults) {
    for (const auto& [key, value] : defaults)
        m_registered.insert(key, value);
}

bool DefaultsStore::hasStoredValue(const QString& key) const {
    return m_settings->contains(key);
}

QVariant DefaultsStore::object(const QString& key) const {
    if (m_settings->contains(key))
        return m_settings->value(key);
    return m_registered.value(key);
}

template <typename T, typename Parse>
T DefaultsStore::typedRead(const QString& key, Parse parse) const {
    if (m_settings->contains(key)) {
        if (auto parsed = parse(m_settings->value(key)))
            return *parsed;
    }
    if (auto registered = m_registered.constFind(key); registered != m_registered.cend()) {
        if (auto parsed = parse(*registered))
            return *parsed;
    }
    return T{};
}

double DefaultsStore::doubleValue(const QString& key) const {
    return typedRead<double>(key, parseDouble);
}

bool DefaultsStore::boolValue(const QString& key) const {
    return typedRead<bool>(key, parseBool);
}

qint64 DefaultsStore::integerValue(const QString& key) const {
    return typedRead<qint64>(key, parseInteger);
}

std::optional<QString> DefaultsStore::stringValue(const QString& key) const {
    const auto text = [](const QVariant& v) -> std::optional<QString> {
        switch (v.typeId()) {
        case QMetaType::QString:
            return v.toString();
        case QMetaType::QStringList: {
            // QSettings reads an unquoted value with commas as a list.
            return v.toStringList().join(QLatin1Char(','));
        }
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Bool:
            return v.toString();
        default:
            return std::nullopt;
        }
    };
    if (m_settings->contains(key))
        return text(m_settings->value(key));
    if (auto registered = m_registered.constFind(key); registered != m_registered.cend())
        return text(*registered);
    return std::nullopt;
}

std::optional<QByteArray> DefaultsStore::bytesValue(const QString& key) const {
    const QVariant v = object(key);
    if (v.typeId() == QMetaType::QByteArray)
        return v.toByteArray();
    return std::nullopt;
}

void DefaultsStore::setValue(const QString& key, const QVariant& value) {
    m_settings->setValue(key, value);
}

void DefaultsStore::remove(const QString& key) {
    m_settings->remove(key);
}

void DefaultsStore::sync() {
    m_settings->sync();
}

std::optional<double> parseDouble(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return value.toDouble();
    case QMetaType::Bool:
        return value.toBool() ? 1.0 : 0.0;
    case QMetaType::QString: {
        bool ok = false;
        const double d = value.toString().trimmed().toDouble(&ok);
        return ok ? std::optional(d) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<bool> parseBool(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return value.toDouble() != 0.0;
    case QMetaType::QString: {
        const QString s = value.toString().trimmed().toLower();
        if (s == u"true" || s == u"yes" || s == u"1")
            return true;
        if (s == u"false" || s == u"no" || s == u"0")
            return false;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<qint64> parseInteger(const QVariant& value) {
    // Numbers read the way a defaults store reads them: a fractional value is
    // truncated, and only values that fit the integer type count.
    std::optional<double> d;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
        return value.toLongLong();
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::QString: {
        bool ok = false;
        const qint64 i = value.toString().trimmed().toLongLong(&ok);
        if (ok)
            return i;
        d = parseDouble(value);
        break;
    }
    default:
        d = parseDouble(value);
        break;
    }
    if (!d || !std::isfinite(*d))
        return std::nullopt;
    const double t = std::trunc(*d);
    // 2^63 is exactly representable; anything at or above it does not fit.
    if (t < -9223372036854775808.0 || t >= 9223372036854775808.0)
        return std::nullopt;
    return static_cast<qint64>(t);
}

} // namespace zelvik

#pragma once

#include <QByteArray>
#include <QHash>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace zelvik {

// The per-user key-value store behind every setting and the focus record:
// a QSettings file (~/.config/Zelvik/Zelvik.conf) plus a registration layer
// that answers reads of keys without a stored value and stores nothing.
//
// Typed reads never fail: a value that cannot be read as the asked type reads
// as the registered default, and without one as the type's zero.
class DefaultsStore {
public:
    explicit DefaultsStore(const QString& filePath);
    ~DefaultsStore();

    DefaultsStore(const DefaultsStore&) = delete;
    DefaultsStore& operator=(const DefaultsStore&) = delete;

    // The process-wide store at standardPath(), created on first use.
    static DefaultsStore& standard();
    // $XDG_CONFIG_HOME/Zelvik/Zelvik.conf
    static QString standardPath();

    QString filePath() const;

    void registerDefaults(const std::vector<std::pair<QString, QVariant>>& defaults);

    bool hasStoredValue(const QString& key) const;
    // Stored value, else the registered one, else an invalid QVariant.
    QVariant object(const QString& key) const;

    double doubleValue(const QString& key) const;
    bool boolValue(const QString& key) const;
    qint64 integerValue(const QString& key) const;
    // Absent when neither a stored nor a registered value exists, or the
    // value is not text.
    std::optional<QString> stringValue(const QString& key) const;
    // Absent unless the value is binary data.
    std::optional<QByteArray> bytesValue(const QString& key) const;

    void setValue(const QString& key, const QVariant& value);
    void remove(const QString& key);
    void sync();

private:
    template <typename T, typename Parse> T typedRead(const QString& key, Parse parse) const;

    std::unique_ptr<QSettings> m_settings;
    QHash<QString, QVariant> m_registered;
};

// Parsers shared by the typed reads; exposed for the tests.
std::optional<double> parseDouble(const QVariant& value);
std::optional<bool> parseBool(const QVariant& value);
std::optional<qint64> parseInteger(const QVariant& value);

} // namespace zelvik

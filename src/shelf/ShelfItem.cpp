#include "ShelfItem.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <QLocale>
#include <QMimeDatabase>

#include <cmath>

namespace zelvik {

namespace {

constexpr QLatin1StringView kId("id");
constexpr QLatin1StringView kKind("kind");
constexpr QLatin1StringView kTitle("title");
constexpr QLatin1StringView kFileName("fileName");
constexpr QLatin1StringView kUrlString("urlString");
constexpr QLatin1StringView kText("text");
constexpr QLatin1StringView kCreatedAt("createdAt");
constexpr QLatin1StringView kExternalPath("externalPath");

// An optional string key: absent or null is "no value"; anything but a
// string makes the element malformed.
bool readOptional(const QJsonObject& object, QLatin1StringView key, std::optional<QString>& out) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return true;
    if (!value.isString())
        return false;
    out = value.toString();
    return true;
}

bool isHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Only the hyphenated 36-character form, in either letter case.
std::optional<QUuid> parseCanonicalUuid(QStringView text) {
    if (text.size() != 36)
        return std::nullopt;
    for (qsizetype i = 0; i < 36; ++i) {
        const char16_t c = text.at(i).unicode();
        const bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
        if (hyphen ? c != u'-' : !isHexDigit(c))
            return std::nullopt;
    }
    return QUuid::fromString(text);
}

// JSON string contents: quotes, backslashes and control characters escaped,
// everything else as UTF-8.
void appendJsonString(QByteArray& out, const QString& text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (byte) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20) {
                out += "\\u00";
                out += kHex[byte >> 4];
                out += kHex[byte & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void appendKey(QByteArray& out, QLatin1StringView key) {
    out += '"';
    out += QByteArrayView(key.data(), key.size());
    out += "\":";
}

void appendStringField(QByteArray& out, QLatin1StringView key, const QString& value) {
    out += ',';
    appendKey(out, key);
    appendJsonString(out, value);
}

// Whole numbers as integers, others in the shortest form that reads back
// exactly, as Qt's own JSON writer does.
void appendNumber(QByteArray& out, double value) {
    constexpr double kMaxExactInteger = 9007199254740992.0; // 2^53
    if (std::isfinite(value) && std::trunc(value) == value && std::abs(value) < kMaxExactInteger)
        out += QByteArray::number(static_cast<qint64>(value));
    else if (std::isfinite(value))
        out += QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
    else
        out += '0';
}

void appendItem(QByteArray& out, const ShelfItem& item) {
    out += '{';
    appendKey(out, kId);
    out += '"';
    out += item.idString().toLatin1();
    out += '"';
    appendStringField(out, kKind, rawValue(item.kind));
    appendStringField(out, kTitle, item.title);
    if (item.fileName)
        appendStringField(out, kFileName, *item.fileName);
    if (item.urlString)
        appendStringField(out, kUrlString, *item.urlString);
    if (item.text)
        appendStringField(out, kText, *item.text);
    out += ',';
    appendKey(out, kCreatedAt);
    appendNumber(out, item.createdAt);
    if (item.externalPath)
        appendStringField(out, kExternalPath, *item.externalPath);
    out += '}';
}

} // namespace

QString ShelfItem::idString() const {
    return id.toString(QUuid::WithoutBraces).toUpper();
}

QString ShelfItem::kindName() const {
    return rawValue(kind);
}

bool ShelfItem::hasFile() const {
    return kind == Kind::file || kind == Kind::image || kind == Kind::video;
}

std::optional<ShelfItem> ShelfItem::fromJson(const QJsonObject& object) {
    const QJsonValue id = object.value(kId);
    const QJsonValue kind = object.value(kKind);
    const QJsonValue title = object.value(kTitle);
    const QJsonValue createdAt = object.value(kCreatedAt);
    if (!id.isString() || !kind.isString() || !title.isString() || !createdAt.isDouble())
        return std::nullopt;

    ShelfItem item;
    const auto uuid = parseCanonicalUuid(id.toString());
    const auto parsedKind = shelfKindFromRaw(kind.toString());
    if (!uuid || !parsedKind)
        return std::nullopt;
    item.id = *uuid;
    item.kind = *parsedKind;
    item.title = title.toString();
    item.createdAt = createdAt.toDouble();
    if (!readOptional(object, kFileName, item.fileName) ||
        !readOptional(object, kUrlString, item.urlString) ||
        !readOptional(object, kText, item.text) ||
        !readOptional(object, kExternalPath, item.externalPath))
        return std::nullopt;
    return item;
}

QString rawValue(ShelfItem::Kind kind) {
    switch (kind) {
    case ShelfItem::Kind::file:
        return QStringLiteral("file");
    case ShelfItem::Kind::image:
        return QStringLiteral("image");
    case ShelfItem::Kind::video:
        return QStringLiteral("video");
    case ShelfItem::Kind::link:
        return QStringLiteral("link");
    case ShelfItem::Kind::text:
        return QStringLiteral("text");
    }
    return QStringLiteral("file");
}

std::optional<ShelfItem::Kind> shelfKindFromRaw(const QString& raw) {
    for (const auto kind : {ShelfItem::Kind::file, ShelfItem::Kind::image, ShelfItem::Kind::video,
                            ShelfItem::Kind::link, ShelfItem::Kind::text}) {
        if (raw == rawValue(kind))
            return kind;
    }
    return std::nullopt;
}

ShelfItem::Kind shelfKindForExtension(const QString& extension) {
    if (extension.isEmpty())
        return ShelfItem::Kind::file;
    static const QMimeDatabase database;
    // Matching by name only: the lookup is about the extension, never about
    // a file's content.
    const QMimeType type =
        database.mimeTypeForFile(QStringLiteral("x.") + extension, QMimeDatabase::MatchExtension);
    const auto conformsTo = [&type](QStringView top) {
        if (type.name().startsWith(top))
            return true;
        for (const QString& parent : type.allAncestors()) {
            if (parent.startsWith(top))
                return true;
        }
        return false;
    };
    if (conformsTo(u"image/"))
        return ShelfItem::Kind::image;
    if (conformsTo(u"video/"))
        return ShelfItem::Kind::video;
    return ShelfItem::Kind::file;
}

QByteArray encodeShelf(const QList<ShelfItem>& items) {
    // Written by hand: building a QJsonDocument first costs several times
    // as much, and a long shelf is rewritten on every change.
    QByteArray out;
    out.reserve(items.size() * 160 + 2);
    out += '[';
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ',';
        appendItem(out, items.at(i));
    }
    out += ']';
    return out;
}

std::optional<QList<ShelfItem>> decodeShelf(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    const QJsonArray array = document.array();
    QList<ShelfItem> items;
    items.reserve(array.size());
    for (const QJsonValue& element : array) {
        if (!element.isObject())
            return std::nullopt;
        auto item = ShelfItem::fromJson(element.toObject());
        if (!item)
            return std::nullopt;
        items.append(std::move(*item));
    }
    return items;
}

} // namespace zelvik

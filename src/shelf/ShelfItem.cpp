#include "ShelfItem.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <QMimeDatabase>

namespace zelvik {

namespace {

const QString kId = QStringLiteral("id");
const QString kKind = QStringLiteral("kind");
const QString kTitle = QStringLiteral("title");
const QString kFileName = QStringLiteral("fileName");
const QString kUrlString = QStringLiteral("urlString");
const QString kText = QStringLiteral("text");
const QString kCreatedAt = QStringLiteral("createdAt");
const QString kExternalPath = QStringLiteral("externalPath");

// An optional string key: absent or null is "no value"; anything but a
// string makes the element malformed.
bool readOptional(const QJsonObject& object, const QString& key, std::optional<QString>& out) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return true;
    if (!value.isString())
        return false;
    out = value.toString();
    return true;
}

std::optional<QUuid> parseCanonicalUuid(const QString& text) {
    if (text.size() != 36)
        return std::nullopt;
    const QUuid uuid = QUuid::fromString(text);
    // fromString also yields the null UUID for garbage; compare back to tell
    // the real all-zero id from a failed parse.
    if (uuid.toString(QUuid::WithoutBraces).compare(text, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return uuid;
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

QJsonObject ShelfItem::toJson() const {
    QJsonObject object;
    object.insert(kId, idString());
    object.insert(kKind, rawValue(kind));
    object.insert(kTitle, title);
    if (fileName)
        object.insert(kFileName, *fileName);
    if (urlString)
        object.insert(kUrlString, *urlString);
    if (text)
        object.insert(kText, *text);
    object.insert(kCreatedAt, createdAt);
    if (externalPath)
        object.insert(kExternalPath, *externalPath);
    return object;
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
    QJsonArray array;
    for (const ShelfItem& item : items)
        array.append(item.toJson());
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
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

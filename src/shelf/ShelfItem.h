#pragma once

#include "model/Clock.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <optional>

namespace zelvik {

// One entry of the shelf. A copied file, image or video has fileName; a
// referenced one externalPath; a link urlString; a text text.
struct ShelfItem {
    Q_GADGET
    Q_PROPERTY(QString id READ idString CONSTANT)
    Q_PROPERTY(zelvik::ShelfItem::Kind kind MEMBER kind CONSTANT)
    Q_PROPERTY(QString kindName READ kindName CONSTANT)
    Q_PROPERTY(QString title MEMBER title CONSTANT)
    Q_PROPERTY(bool hasFile READ hasFile CONSTANT)
    Q_PROPERTY(double createdAt MEMBER createdAt CONSTANT)

public:
    enum class Kind { file, image, video, link, text };
    Q_ENUM(Kind)

    QUuid id = QUuid::createUuid();
    Kind kind = Kind::file;
    QString title;
    std::optional<QString> fileName;
    std::optional<QString> urlString;
    std::optional<QString> text;
    ReferenceSeconds createdAt = 0;
    std::optional<QString> externalPath;

    // The canonical form: 36 characters, upper-case hexadecimal digits.
    QString idString() const;
    QString kindName() const;
    // File, image and video entries stand for a file on disk.
    bool hasFile() const;

    // One stored entry (see encodeShelf for writing). Absent when a required key is missing or any
    // value has the wrong type.
    static std::optional<ShelfItem> fromJson(const QJsonObject& object);

    friend bool operator==(const ShelfItem&, const ShelfItem&) = default;
};

QString rawValue(ShelfItem::Kind kind);
std::optional<ShelfItem::Kind> shelfKindFromRaw(const QString& raw);

// Kind from a file name extension (any letter case): image/* is an image,
// video/* a video, anything else or no known type a file.
ShelfItem::Kind shelfKindForExtension(const QString& extension);

// shelf.json as bytes: a compact array. Decoding is all or nothing: one
// malformed element, or anything but an array, reads as nothing.
QByteArray encodeShelf(const QList<ShelfItem>& items);
std::optional<QList<ShelfItem>> decodeShelf(const QByteArray& json);

// What the model needs of the shelf's storage: clearing by age, emptying and
// reading the stored list (newest first).
class ShelfStorage {
public:
    virtual ~ShelfStorage() = default;
    virtual void clearOlderThan(int days) = 0;
    virtual void removeAllEntries() = 0;
    virtual QList<ShelfItem> loadShelf() = 0;
};

} // namespace zelvik

Q_DECLARE_METATYPE(zelvik::ShelfItem)

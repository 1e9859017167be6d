#pragma once

#include "model/Clock.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace zelvik {

// One entry of the shelf. A copied file, image or video has fileName; a
// referenced one externalPath; a link urlString; a text text.
struct ShelfItem {
    Q_GADGET
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

    friend bool operator==(const ShelfItem&, const ShelfItem&) = default;
};

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

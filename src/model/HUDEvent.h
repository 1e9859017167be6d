#pragma once

#include <QColor>
#include <QString>
#include <QUuid>

#include <optional>

namespace zelvik {

// A short notice shown by the closed notch. Every notice gets a fresh id, so
// two notices with the same content still differ.
struct HUDEvent {
    Q_GADGET
    Q_PROPERTY(QUuid id MEMBER id CONSTANT)
    Q_PROPERTY(QString symbol MEMBER symbol CONSTANT)
    Q_PROPERTY(QColor tint MEMBER tint CONSTANT)
    Q_PROPERTY(QString title MEMBER title CONSTANT)
    Q_PROPERTY(QString trailing READ trailingText CONSTANT)
    Q_PROPERTY(bool hasTrailing READ hasTrailing CONSTANT)
    Q_PROPERTY(bool showsArtwork MEMBER showsArtwork CONSTANT)

public:
    QUuid id = QUuid::createUuid();
    QString symbol;
    QColor tint;
    QString title;
    std::optional<QString> trailing;
    bool showsArtwork = false;

    QString trailingText() const { return trailing.value_or(QString()); }
    bool hasTrailing() const { return trailing.has_value(); }

    friend bool operator==(const HUDEvent&, const HUDEvent&) = default;
};

} // namespace zelvik

Q_DECLARE_METATYPE(zelvik::HUDEvent)

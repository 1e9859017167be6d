#pragma once

#include <QObject>
#include <QString>

namespace zelvik {

// Section headings in capitals with the case rules of the language, for the
// settings window's QML (through Language.heading): heading("Cihazlar",
// true) is "CİHAZLAR". The language is passed in so a heading follows a
// switch the moment QML sees it.
class TextCase : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE QString heading(const QString& text, bool turkish) const;
};

} // namespace zelvik

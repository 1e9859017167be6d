#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace zelvik {

// A freedesktop desktop entry file (.desktop), kept line by line so that a
// file edited by hand keeps its comments, other groups and translations when
// one key of its [Desktop Entry] group is changed.
class DesktopEntry {
public:
    DesktopEntry() = default;
    static DesktopEntry parse(const QString& text);
    // Reads a regular file (or a link to one) of sensible size; absent for
    // anything else: a folder, a pipe or device (which could block forever),
    // a dangling link, a file that cannot be read or is far too big.
    static std::optional<DesktopEntry> read(const QString& path);

    // A key of the [Desktop Entry] group with its escapes (\s \n \t \r \\)
    // undone; absent when the group or the key is missing.
    std::optional<QString> value(const QString& key) const;
    // "true" (only that, as the format says) for a boolean key.
    bool boolValue(const QString& key, bool fallback) const;
    QStringList listValue(const QString& key) const;
    // Sets or adds the key in the [Desktop Entry] group (added if missing).
    void setValue(const QString& key, const QString& value);
    void removeKey(const QString& key);
    QString toText() const;

    // The Exec key split into the program and its arguments, with the
    // quoting rules of the format and without field codes (%f, %U, ...).
    // Empty when there is no Exec or its quoting is broken.
    QStringList execArguments() const;

    // A path or word quoted for an Exec key when it needs quoting.
    static QString quotedExecArgument(const QString& argument);

private:
    // Index of the key's line in the group, or -1.
    int findKey(const QString& key) const;
    // [first line after the header, end) of the group; {-1, -1} when missing.
    std::pair<int, int> groupRange() const;

    QStringList m_lines;
};

} // namespace zelvik

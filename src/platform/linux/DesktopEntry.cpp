#include "DesktopEntry.h"

#include <QFile>
#include <QFileInfo>

namespace zelvik {

namespace {

const QString kGroup = QStringLiteral("[Desktop Entry]");
// Real entries are a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxEntryBytes = 256 * 1024;

bool isGroupHeader(const QString& line) {
    const QString t = line.trimmed();
    return t.startsWith(u'[') && t.endsWith(u']');
}

QString unescape(const QString& raw) {
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != u'\\' || i + 1 == raw.size()) {
            out += c;
            continue;
        }
        const QChar next = raw.at(++i);
        switch (next.unicode()) {
        case 's':
            out += u' ';
            break;
        case 'n':
            out += u'\n';
            break;
        case 't':
            out += u'\t';
            break;
        case 'r':
            out += u'\r';
            break;
        case '\\':
            out += u'\\';
            break;
        default:
            // Not an escape of the string type (Exec quoting uses \" and \$):
            // keep both characters for the next stage.
            out += c;
            out += next;
        }
    }
    return out;
}

QString escape(const QString& value) {
    QString out;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The key name before '=' (with a [locale] suffix kept), or empty.
QString keyOf(const QString& line) {
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(u'#'))
        return {};
    const qsizetype eq = t.indexOf(u'=');
    return eq > 0 ? t.left(eq).trimmed() : QString();
}

} // namespace

DesktopEntry DesktopEntry::parse(const QString& text) {
    DesktopEntry entry;
    entry.m_lines = text.split(u'\n');
    if (!entry.m_lines.isEmpty() && entry.m_lines.last().isEmpty())
        entry.m_lines.removeLast();
    for (QString& line : entry.m_lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    return entry;
}

std::optional<DesktopEntry> DesktopEntry::read(const QString& path) {
    // isFile() is true for regular files only (links followed), so pipes and
    // devices are never opened.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxEntryBytes)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.isSequential())
        return std::nullopt;
    const QByteArray bytes = file.read(kMaxEntryBytes + 1);
    if (bytes.size() > kMaxEntryBytes)
        return std::nullopt;
    return parse(QString::fromUtf8(bytes));
}

std::pair<int, int> DesktopEntry::groupRange() const {
    int start = -1;
    for (int i = 0; i < m_lines.size(); ++i) {
        if (!isGroupHeader(m_lines.at(i)))
            continue;
        if (start >= 0)
            return {start, i};
        if (m_lines.at(i).trimmed() == kGroup)
            start = i + 1;
    }
    return start >= 0 ? std::pair{start, int(m_lines.size())} : std::pair{-1, -1};
}

int DesktopEntry::findKey(const QString& key) const {
    const auto [first, end] = groupRange();
    // The last one wins, as in readers of the format.
    int found = -1;
    for (int i = first; i >= 0 && i < end; ++i)
        if (keyOf(m_lines.at(i)) == key)
            found = i;
    return found;
}

std::optional<QString> DesktopEntry::value(const QString& key) const {
    const int line = findKey(key);
    if (line < 0)
        return std::nullopt;
    const QString& text = m_lines.at(line);
    return unescape(text.mid(text.indexOf(u'=') + 1).trimmed());
}

bool DesktopEntry::boolValue(const QString& key, bool fallback) const {
    const auto v = value(key);
    if (!v)
        return fallback;
    return *v == u"true";
}

QStringList DesktopEntry::listValue(const QString& key) const {
    const auto v = value(key);
    if (!v)
        return {};
    QStringList items = v->split(u';');
    items.removeAll(QString());
    return items;
}

void DesktopEntry::setValue(const QString& key, const QString& value) {
    const QString line = key + u'=' + escape(value);
    const int existing = findKey(key);
    if (existing >= 0) {
        m_lines[existing] = line;
        return;
    }
    auto [first, end] = groupRange();
    if (first < 0) {
        // The group comes first in a well-formed file.
        m_lines.prepend(QString());
        m_lines.prepend(kGroup);
        first = end = 1;
    }
    // After the group's last non-empty line.
    int at = end;
    while (at > first && m_lines.at(at - 1).trimmed().isEmpty())
        --at;
    m_lines.insert(at, line);
}

void DesktopEntry::removeKey(const QString& key) {
    for (int line = findKey(key); line >= 0; line = findKey(key))
        m_lines.removeAt(line);
}

QString DesktopEntry::toText() const {
    return m_lines.join(u'\n') + u'\n';
}

QStringList DesktopEntry::execArguments() const {
    const auto exec = value(QStringLiteral("Exec"));
    if (!exec)
        return {};
    QStringList args;
    QString current;
    bool inQuotes = false;
    bool hasArgument = false;
    const QString& s = *exec;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (inQuotes) {
            if (c == u'"') {
                inQuotes = false;
            } else if (c == u'%' && i + 1 < s.size() && s.at(i + 1) == u'%') {
                current += s.at(++i);
            } else if (c == u'\\' && i + 1 < s.size() &&
                       QStringLiteral("\"`$\\").contains(s.at(i + 1))) {
                current += s.at(++i);
            } else {
                current += c;
            }
            continue;
        }
        if (c == u'"') {
            inQuotes = true;
            hasArgument = true;
        } else if (c == u' ' || c == u'\t') {
            if (hasArgument || !current.isEmpty())
                args << current;
            current.clear();
            hasArgument = false;
        } else if (c == u'%' && i + 1 < s.size()) {
            const QChar code = s.at(++i);
            if (code == u'%')
                current += u'%';
            // Every other field code stands for files, URLs or icons that a
            // plain start has none of.
            hasArgument = hasArgument || !current.isEmpty();
        } else {
            current += c;
        }
    }
    if (inQuotes)
        return {};
    if (hasArgument || !current.isEmpty())
        args << current;
    return args;
}

QString DesktopEntry::quotedExecArgument(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const bool needsQuotes =
        argument.isEmpty() ||
        std::any_of(argument.begin(), argument.end(), [](QChar c) { return reserved.contains(c); });
    QString out = argument;
    out.replace(u'%', QStringLiteral("%%"));
    if (!needsQuotes)
        return out;
    QString quoted;
    for (const QChar c : out) {
        if (QStringLiteral("\"`$\\").contains(c))
            quoted += u'\\';
        quoted += c;
    }
    return u'"' + quoted + u'"';
}

} // namespace zelvik

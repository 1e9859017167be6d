#pragma once

#include <QString>
#include <QStringList>

namespace zelvik::test {

// What the shelf writer process does as its n-th operation (n from 1), and
// so what the shelf holds after n operations: a test replays the plan to
// know the list before and after the operation it interrupted.
struct ShelfWriterStep {
    enum class Operation { text, copy, link, remove };
    Operation operation;
    // The text, the suggested name of the copy or link, or the title of the
    // entry to remove.
    QString payload;
    // The title the new entry gets.
    QString title;
};

inline ShelfWriterStep shelfWriterStep(int n) {
    const QString name = QStringLiteral("entry %1").arg(n);
    if (n % 10 == 9) {
        // Every tenth operation removes the copy, text or link made five
        // operations earlier.
        const int removed = n - 5;
        return {ShelfWriterStep::Operation::remove, shelfWriterStep(removed).title, {}};
    }
    switch (n % 3) {
    case 0:
        // Long texts make each write of the list take a while.
        return {ShelfWriterStep::Operation::text, name + u'\n' + QString(400, u'x'), name};
    case 1:
        return {ShelfWriterStep::Operation::copy, name, name + QStringLiteral(".txt")};
    default:
        return {ShelfWriterStep::Operation::link, name, name};
    }
}

// Titles on the shelf after operations 1...count, newest first, above the
// titles it started with.
inline QStringList shelfWriterTitles(int count, const QStringList& initial) {
    QStringList titles = initial;
    for (int n = 1; n <= count; ++n) {
        const ShelfWriterStep step = shelfWriterStep(n);
        if (step.operation == ShelfWriterStep::Operation::remove)
            titles.removeAll(step.payload);
        else
            titles.prepend(step.title);
    }
    return titles;
}

} // namespace zelvik::test

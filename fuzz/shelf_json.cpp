// shelf.json as the shelf loads it: whatever the file holds, loading never
// fails badly, a readable list is written back readable and unchanged, and
// no stored name leads a copy's path out of Files/.
#include "FuzzSupport.h"

#include "model/Clock.h"
#include "shelf/ShelfStore.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>

using namespace zelvik;

namespace {

class FixedClock final : public Clock {
public:
    ReferenceSeconds now() const override { return 786000000; }
    std::chrono::nanoseconds uptime() const override { return {}; }
};

// What a value becomes once written: text through UTF-8 (a lone surrogate
// has no UTF-8 form), and numbers JSON cannot hold as 0.
ShelfItem written(ShelfItem item) {
    const auto text = [](std::optional<QString>& s) {
        if (s)
            s = QString::fromUtf8(s->toUtf8());
    };
    item.title = QString::fromUtf8(item.title.toUtf8());
    text(item.fileName);
    text(item.urlString);
    text(item.text);
    text(item.externalPath);
    if (!std::isfinite(item.createdAt))
        item.createdAt = 0;
    return item;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FixedClock clock;
    static ShelfStore store(clock, fuzz::scratchFolder() + QStringLiteral("/Shelf"));
    static const QString files = store.filesFolder();

    const QByteArray input = fuzz::bytes(data, size);
    const auto decoded = decodeShelf(input);
    {
        QFile file(store.shelfFilePath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(input);
    }
    const QList<ShelfItem> loaded = store.loadShelf();
    fuzz::check(decoded || loaded.isEmpty(), "an unreadable list loads as empty");
    if (!decoded)
        return 0;
    fuzz::check(loaded.size() == decoded->size(), "loading keeps every entry");
    for (qsizetype i = 1; i < loaded.size(); ++i)
        fuzz::check(!(loaded[i - 1].createdAt < loaded[i].createdAt), "newest first");

    QList<ShelfItem> expected;
    for (const ShelfItem& item : *decoded) {
        expected << written(item);
        const QUrl url = store.entryFileURL(item);
        if (item.hasFile() && !item.externalPath && !url.isEmpty())
            fuzz::check(QFileInfo(url.toLocalFile()).absolutePath() == files,
                        "a copy's path stays inside Files/");
    }
    const QByteArray encoded = encodeShelf(*decoded);
    const auto again = decodeShelf(encoded);
    fuzz::check(again.has_value(), "a written list reads back");
    fuzz::check(*again == expected, "a written list reads back unchanged");
    fuzz::check(encodeShelf(*again) == encoded, "writing again gives the same bytes");
    return 0;
}

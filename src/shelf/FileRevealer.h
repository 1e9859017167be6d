#pragma once

#include <QUrl>

namespace zelvik {

// Shows a file selected in the desktop's file manager.
class FileRevealer {
public:
    virtual ~FileRevealer() = default;
    virtual void reveal(const QUrl& file) = 0;
};

} // namespace zelvik

#pragma once

#include <QString>

namespace zelvik::test {

// Points the XDG config, data, cache and runtime folders and HOME into root
// (creating them, private), so nothing a test or benchmark runs can touch the
// real user's files. Call before Qt reads any of them.
void pointUserFoldersAt(const QString& root);

} // namespace zelvik::test

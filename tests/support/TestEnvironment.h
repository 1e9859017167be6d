#pragma once

#include <QString>

namespace zelvik::test {

// The temporary folder that stands in for the user's home in this test run;
// XDG config, data, cache and runtime folders all point inside it.
QString testRoot();

// A fresh settings file path inside testRoot(), unique per call.
QString freshSettingsPath();

} // namespace zelvik::test

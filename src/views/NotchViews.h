#pragma once

#include <QUrl>

namespace zelvik {

// Registers the C++ types the notch views use from QML (module
// "Zelvik.Views"). Safe to call more than once.
void registerViewTypes();

// The root view of the notch window, compiled into the program. Its root item
// takes `required property QtObject model` (the NotchModel) and fills the
// window; the outline hangs from the top centre.
QUrl notchRootViewUrl();

} // namespace zelvik

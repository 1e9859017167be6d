#pragma once

#include <QStringView>

namespace zelvik {

// Whether a file name is one that a desktop's screenshot tool gives a new
// screenshot: an image whose name starts with the tool's word for it, as
//   GNOME           "Screenshot from 2024-05-01 10-20-30.png",
//                   "Screenshot 2024-05-01 at 10.20.30.png"
//   KDE Spectacle   "Screenshot_20240501_102030.png"
//   Xfce            "Screenshot_2024-05-01_10-20-30.png"
// or the same in the desktop's language ("Ekran görüntüsü ...",
// "Bildschirmfoto vom ..."). Letter case does not matter. Files still being
// written under a temporary name (".part", ".tmp", a leading dot) are not
// screenshots yet.
bool isScreenshotFileName(QStringView fileName);

} // namespace zelvik

#include "ScreenshotNaming.h"

#include <QString>

namespace zelvik {

namespace {

// What screenshot tools call a screenshot, in the languages they ship.
constexpr const char16_t* kScreenshotWords[] = {
    u"screenshot",      u"screen shot",      u"ekran görüntüsü",     u"bildschirmfoto",
    u"capture d’écran", u"capture d'écran",  u"captura de pantalla", u"captura de ecrã",
    u"istantanea",      u"schermafbeelding", u"zrzut ekranu",        u"снимок экрана",
};

constexpr const char16_t* kImageExtensions[] = {
    u".png", u".jpg", u".jpeg", u".webp", u".avif", u".jxl", u".bmp", u".tif", u".tiff", u".gif",
};

} // namespace

bool isScreenshotFileName(QStringView fileName) {
    if (fileName.startsWith(u'.'))
        return false;
    bool image = false;
    for (const char16_t* extension : kImageExtensions)
        image = image || fileName.endsWith(QStringView(extension), Qt::CaseInsensitive);
    if (!image)
        return false;
    for (const char16_t* word : kScreenshotWords) {
        if (fileName.startsWith(QStringView(word), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace zelvik

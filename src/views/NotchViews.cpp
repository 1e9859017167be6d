#include "NotchViews.h"

#include "NotchBackground.h"

#include <QtQml/qqml.h>

#include <mutex>

namespace zelvik {

void registerViewTypes() {
    static std::once_flag once;
    std::call_once(once, [] {
        constexpr const char* uri = "Zelvik.Views";
        qmlRegisterType<NotchBackground>(uri, 1, 0, "NotchBackground");
    });
}

QUrl notchRootViewUrl() {
    return QUrl(QStringLiteral("qrc:/zelvik/views/NotchRootView.qml"));
}

} // namespace zelvik

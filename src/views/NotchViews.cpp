#include "NotchViews.h"

#include "BehindWindowBlur.h"
#include "NotchBackground.h"
#include "NotchContainerState.h"
#include "NotchDropArea.h"
#include "NotchShadow.h"
#include "NotchStroke.h"
#include "SpringValue.h"
#include "ViewLanguage.h"

#include <QtQml/qqml.h>

#include <mutex>

namespace zelvik {

void registerViewTypes() {
    static std::once_flag once;
    std::call_once(once, [] {
        constexpr const char* uri = "Zelvik.Views";
        qmlRegisterType<BehindWindowBlur>(uri, 1, 0, "BehindWindowBlur");
        qmlRegisterType<NotchBackground>(uri, 1, 0, "NotchBackground");
        qmlRegisterType<NotchStroke>(uri, 1, 0, "NotchStroke");
        qmlRegisterType<NotchShadow>(uri, 1, 0, "NotchShadow");
        qmlRegisterType<NotchContainerState>(uri, 1, 0, "NotchContainerState");
        qmlRegisterType<NotchDropArea>(uri, 1, 0, "NotchDropArea");
        qmlRegisterType<SpringValue>(uri, 1, 0, "SpringValue");
        qmlRegisterSingletonType<ViewLanguage>(
            uri, 1, 0, "Language", [](QQmlEngine*, QJSEngine*) { return new ViewLanguage; });
    });
}

QUrl notchRootViewUrl() {
    return QUrl(QStringLiteral("qrc:/zelvik/views/NotchRootView.qml"));
}

} // namespace zelvik

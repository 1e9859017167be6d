#include "NotchViews.h"

#include "ArtworkGlow.h"
#include "BehindWindowBlur.h"
#include "EqualizerMotion.h"
#include "FocusCountdown.h"
#include "FocusViewState.h"
#include "HitTargets.h"
#include "MusicProgressState.h"
#include "MusicViewState.h"
#include "NotchBackground.h"
#include "NotchContainerState.h"
#include "NotchDropArea.h"
#include "NotchShadow.h"
#include "NotchStroke.h"
#include "RoundedBox.h"
#include "ShelfDragOut.h"
#include "ShelfListModel.h"
#include "SoftwareOutlineClip.h"
#include "SpringValue.h"
#include "Symbols.h"
#include "ThumbnailImage.h"
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
        qmlRegisterType<SoftwareOutlineClip>(uri, 1, 0, "SoftwareOutlineClip");
        qmlRegisterType<SpringValue>(uri, 1, 0, "SpringValue");
        qmlRegisterType<FocusCountdown>(uri, 1, 0, "FocusCountdown");
        qmlRegisterType<FocusViewState>(uri, 1, 0, "FocusViewState");
        qmlRegisterType<MusicViewState>(uri, 1, 0, "MusicViewState");
        qmlRegisterType<MusicProgressState>(uri, 1, 0, "MusicProgressState");
        qmlRegisterType<EqualizerMotion>(uri, 1, 0, "EqualizerMotion");
        qmlRegisterType<ArtworkGlow>(uri, 1, 0, "ArtworkGlow");
        qmlRegisterType<HitTargetsKey>(uri, 1, 0, "HitTargetsKey");
        qmlRegisterType<HitTarget>(uri, 1, 0, "HitTarget");
        qmlRegisterType<ShelfListModel>(uri, 1, 0, "ShelfListModel");
        qmlRegisterType<ShelfDragOut>(uri, 1, 0, "ShelfDragOut");
        qmlRegisterType<ThumbnailImage>(uri, 1, 0, "ThumbnailImage");
        qmlRegisterType<RoundedBox>(uri, 1, 0, "RoundedBox");
        qmlRegisterType<ProgressRing>(uri, 1, 0, "ProgressRing");
        qmlRegisterSingletonType<Symbols>(uri, 1, 0, "Symbols",
                                          [](QQmlEngine*, QJSEngine*) { return new Symbols; });
        // Language.qml is a ViewLanguage with the functions texts call; its
        // type sits in a module of its own, which the singleton's file can
        // import without importing itself.
        qmlRegisterType<ViewLanguage>("Zelvik.Views.Language", 1, 0, "ViewLanguage");
        qmlRegisterSingletonType(QUrl(QStringLiteral("qrc:/zelvik/views/Language.qml")), uri, 1, 0,
                                 "Language");
    });
}

QUrl notchRootViewUrl() {
    return QUrl(QStringLiteral("qrc:/zelvik/views/NotchRootView.qml"));
}

} // namespace zelvik

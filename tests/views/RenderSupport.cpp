#include "RenderSupport.h"

#include "model/NotchModel.h"
#include "monitors/MusicMonitor.h"
#include "views/MusicImageProviders.h"
#include "views/NotchViews.h"
#include "views/SpringValue.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QQuickWindow>
#include <QTest>

namespace zelvik::test {

RenderedRootView::RenderedRootView(QObject* model)
    : m_engine(std::make_unique<QQmlEngine>())
    , m_window(std::make_unique<QQuickWindow>()) {
    registerViewTypes();
    m_window->setColor(Qt::transparent);
    m_window->resize(760, 300);
    // Player icons and covers come from the engine's providers, as in the
    // notch window.
    if (auto* notch = qobject_cast<NotchModel*>(model))
        if (auto* music = qobject_cast<MusicMonitor*>(notch->music()))
            installMusicImageProviders(*m_engine, *music);
    QQmlComponent component(m_engine.get(), notchRootViewUrl());
    QObject* object = component.createWithInitialProperties(
        {{QStringLiteral("model"), QVariant::fromValue(model)}});
    m_errors = component.errorString();
    m_root = qobject_cast<QQuickItem*>(object);
    if (m_root) {
        QQmlEngine::setObjectOwnership(m_root, QQmlEngine::CppOwnership);
        m_root->setParentItem(m_window->contentItem());
        m_root->setParent(m_window.get());
    }
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        m_errors += QStringLiteral("window never exposed");
}

RenderedRootView::~RenderedRootView() {
    delete m_root;
}

QImage RenderedRootView::grab() const {
    if (!m_root)
        return {};
    QSharedPointer<QQuickItemGrabResult> result = m_window->contentItem()->grabToImage();
    if (!result)
        return {};
    bool ready = false;
    QObject::connect(result.data(), &QQuickItemGrabResult::ready, [&ready] { ready = true; });
    const QDeadlineTimer deadline(5000);
    while (!ready && !deadline.hasExpired())
        QTest::qWait(5);
    return ready ? result->image() : QImage();
}

bool RenderedRootView::waitFor(const std::function<bool()>& condition, int timeoutMs) const {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition() && !deadline.hasExpired())
        QTest::qWait(10);
    return condition();
}

bool RenderedRootView::waitForSprings(int timeoutMs) const {
    if (!m_root)
        return false;
    return waitFor(
        [this] {
            const auto springs = m_root->findChildren<SpringValue*>();
            return std::none_of(springs.begin(), springs.end(),
                                [](const SpringValue* s) { return s->running(); });
        },
        timeoutMs);
}

QImage RenderedRootView::grabUntil(const std::function<bool(const QImage&)>& done,
                                   int timeoutMs) const {
    const QDeadlineTimer deadline(timeoutMs);
    QImage image = grab();
    while (!done(image) && !deadline.hasExpired()) {
        QTest::qWait(20);
        image = grab();
    }
    return image;
}

std::pair<int, int> opaqueSpan(const QImage& image, int y, int minAlpha) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        if (qAlpha(image.pixel(x, y)) >= minAlpha) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    return {first, last};
}

int opaqueHeight(const QImage& image, int x, int minAlpha) {
    int y = 0;
    while (y < image.height() && qAlpha(image.pixel(x, y)) >= minAlpha)
        ++y;
    return y;
}

int paintedPixelsOutside(const QImage& image, const QRect& keep) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!keep.contains(x, y) && qAlpha(image.pixel(x, y)) > 0)
                ++count;
    return count;
}

QString saveForInspection(const QImage& image, const QString& name) {
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/renders");
    QDir().mkpath(folder);
    const QString path = folder + u'/' + name + QStringLiteral(".png");
    image.save(path);
    return path;
}

} // namespace zelvik::test

#pragma once

#include <QImage>
#include <QObject>

#include <memory>

class QQmlEngine;
class QQuickItem;
class QQuickWindow;

namespace zelvik::test {

// The notch root view in a 760 x 300 transparent window, as the notch window
// hosts it, for pixel checks.
class RenderedRootView {
public:
    explicit RenderedRootView(QObject* model);
    ~RenderedRootView();

    QQuickWindow& window() const { return *m_window; }
    QQuickItem* root() const { return m_root; }
    QString errors() const { return m_errors; }

    // The window's content with its alpha, once rendered.
    QImage grab() const;
    // Runs the event loop until `condition` holds (bounded); whether it did.
    bool waitFor(const std::function<bool()>& condition, int timeoutMs = 5000) const;
    // Runs frames until no spring of the view moves any more (bounded).
    bool waitForSprings(int timeoutMs = 5000) const;
    // Grabs until `done(image)` holds or the bound runs out (real frames run
    // the animations in between); returns the last image.
    QImage grabUntil(const std::function<bool(const QImage&)>& done, int timeoutMs = 5000) const;

private:
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QQuickWindow> m_window;
    QQuickItem* m_root = nullptr;
    QString m_errors;
};

// The first and last x of row `y` whose alpha is at least `minAlpha`;
// {-1, -1} when the row has none.
std::pair<int, int> opaqueSpan(const QImage& image, int y, int minAlpha = 128);
// The number of rows of column `x` (from the top) whose alpha is at least `minAlpha`.
int opaqueHeight(const QImage& image, int x, int minAlpha = 128);
// Pixels outside `keep` with any alpha at all.
int paintedPixelsOutside(const QImage& image, const QRect& keep);
// Saves into the build folder for a look by eye; returns the path.
QString saveForInspection(const QImage& image, const QString& name);

} // namespace zelvik::test

#include "BehindWindowBlur.h"

#include <QGuiApplication>
#include <QQuickWindow>

#include <xcb/xcb.h>

#include <vector>

namespace zelvik {

namespace {

xcb_connection_t* x11Connection() {
    if (QGuiApplication::platformName() != u"xcb")
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t blurRegionAtom(xcb_connection_t* connection) {
    static xcb_atom_t atom = XCB_ATOM_NONE;
    if (atom != XCB_ATOM_NONE)
        return atom;
    static constexpr char name[] = "_KDE_NET_WM_BLUR_BEHIND_REGION";
    const auto cookie = xcb_intern_atom(connection, 0, sizeof(name) - 1, name);
    if (xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr)) {
        atom = reply->atom;
        free(reply);
    }
    return atom;
}

} // namespace

BehindWindowBlur::BehindWindowBlur(QQuickItem* parent)
    : QQuickItem(parent) {}

BehindWindowBlur::~BehindWindowBlur() {
    disconnect(m_frames);
    publish(QRegion());
}

void BehindWindowBlur::setActive(bool active) {
    if (m_active == active)
        return;
    m_active = active;
    emit activeChanged();
    refresh();
}

void BehindWindowBlur::setTopRadius(double value) {
    if (m_shape.topRadius == value)
        return;
    m_shape.topRadius = value;
    emit topRadiusChanged();
}

void BehindWindowBlur::setBottomRadius(double value) {
    if (m_shape.bottomRadius == value)
        return;
    m_shape.bottomRadius = value;
    emit bottomRadiusChanged();
}

QRegion BehindWindowBlur::regionFor(const NotchShape& shape, const QRectF& rect,
                                    double devicePixelRatio) {
    if (rect.isEmpty())
        return {};
    const QRectF pixels(rect.topLeft() * devicePixelRatio, rect.size() * devicePixelRatio);
    NotchShape scaled = shape;
    scaled.topRadius *= devicePixelRatio;
    scaled.bottomRadius *= devicePixelRatio;
    return QRegion(scaled.path(pixels).toFillPolygon().toPolygon(), Qt::WindingFill);
}

void BehindWindowBlur::itemChange(ItemChange change, const ItemChangeData& data) {
    QQuickItem::itemChange(change, data);
    if (change != ItemSceneChange)
        return;
    // The region moves with every frame of an animation; follow the
    // window's frames rather than each property.
    disconnect(m_frames);
    publish(QRegion());
    m_window = data.window;
    if (m_window)
        m_frames =
            connect(m_window, &QQuickWindow::afterAnimating, this, &BehindWindowBlur::refresh);
    refresh();
}

void BehindWindowBlur::refresh() {
    if (!m_active || !m_window || !isVisible()) {
        publish(QRegion());
        return;
    }
    const QRectF rect = mapRectToScene(boundingRect());
    publish(regionFor(m_shape, rect, m_window->effectiveDevicePixelRatio()));
}

void BehindWindowBlur::publish(const QRegion& region) {
    if (region == m_requested)
        return;
    m_requested = region;
    xcb_connection_t* connection = x11Connection();
    if (!connection || !m_window || !m_window->handle())
        return;
    const xcb_atom_t atom = blurRegionAtom(connection);
    if (atom == XCB_ATOM_NONE)
        return;
    const auto window = xcb_window_t(m_window->winId());
    if (region.isEmpty()) {
        xcb_delete_property(connection, window, atom);
    } else {
        std::vector<uint32_t> values;
        values.reserve(size_t(region.rectCount()) * 4);
        for (const QRect& r : region) {
            values.push_back(uint32_t(r.x()));
            values.push_back(uint32_t(r.y()));
            values.push_back(uint32_t(r.width()));
            values.push_back(uint32_t(r.height()));
        }
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom, XCB_ATOM_CARDINAL, 32,
                            uint32_t(values.size()), values.data());
    }
    xcb_flush(connection);
}

} // namespace zelvik

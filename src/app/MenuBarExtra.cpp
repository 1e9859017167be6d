#include "MenuBarExtra.h"

#include "MenuContent.h"
#include "model/NotchModel.h"
#include "settings/NotchSettings.h"

#include <QCursor>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QSystemTrayIcon>

namespace zelvik {

namespace {

// A screen outline with its top band filled: the notch at the top of a display.
QIcon notchIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const double unit = size / 16.0;
        const QRectF screen(1.5 * unit, 3 * unit, 13 * unit, 10 * unit);
        painter.setPen(QPen(Qt::white, 1.2 * unit));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(screen, 2 * unit, 2 * unit);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(screen.adjusted(2 * unit, 2 * unit, -2 * unit, -6 * unit),
                                0.8 * unit, 0.8 * unit);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

MenuBarExtra::MenuBarExtra(NotchModel& model, const NotchDesktop* desktop, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_menu(std::make_unique<QMenu>())
    , m_tray(std::make_unique<QSystemTrayIcon>(notchIcon())) {
    m_content = std::make_unique<MenuContent>(model, desktop, *m_menu);
    m_tray->setToolTip(QStringLiteral("Zelvik"));
    m_tray->setContextMenu(m_menu.get());
    // A menu bar item opens its menu on a plain click too.
    connect(m_tray.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    m_menu->popup(QCursor::pos());
            });
    connect(model.settings(), &NotchSettings::showMenuBarIconChanged, this,
            &MenuBarExtra::followSetting);
    followSetting();
}

MenuBarExtra::~MenuBarExtra() = default;

void MenuBarExtra::followSetting() {
    m_tray->setVisible(m_model.settings()->showMenuBarIcon());
}

} // namespace zelvik

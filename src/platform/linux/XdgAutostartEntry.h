#pragma once

#include "settings/LaunchAtLogin.h"

#include <QString>

namespace zelvik {

// Launch at login as the desktops do it: an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/zelvik.desktop.
//
// The entry counts as on when it is a readable desktop entry with a program
// to run that is neither Hidden nor switched off with
// X-GNOME-Autostart-enabled=false. Turning it on mends an entry the user
// edited (keeping their edits) or writes a fresh one; turning it off removes
// that one path and nothing else: a link is removed, never what it points
// to, and a folder or other odd thing in its place is left alone.
class XdgAutostartEntry final : public LoginItemService {
public:
    // `program` is what the entry starts (usually this program's path);
    // `path` overrides the entry's location.
    explicit XdgAutostartEntry(QString program, QString path = {});

    static QString standardPath();
    QString path() const { return m_path; }

    bool isEnabled() const override;
    bool setEnabled(bool enabled) override;

private:
    bool writeFresh() const;

    QString m_program;
    QString m_path;
};

} // namespace zelvik

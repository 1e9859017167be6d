#pragma once

#include <QList>
#include <QObject>
#include <QString>

namespace zelvik {

// A length of work offered by the focus view. Its identity is its minutes.
struct FocusPreset {
    Q_GADGET
    Q_PROPERTY(int minutes MEMBER minutes CONSTANT)
    Q_PROPERTY(QString label MEMBER label CONSTANT)

public:
    int minutes = 25;
    QString label;

    friend bool operator==(const FocusPreset&, const FocusPreset&) = default;
};

inline size_t qHash(const FocusPreset& preset, size_t seed = 0) {
    return qHashMulti(seed, preset.minutes, preset.label);
}

// The presets in the order the focus view offers them, labelled in the
// language in force now: 15 "Short focus", 25 "Pomodoro", 45 "Deep work",
// 60 "Long session".
QList<FocusPreset> focusPresets();

// "Break" / "Mola", in the language in force now.
QString breakLabel();
// A period with either break label is a break, whatever the language now.
bool isBreakLabel(const QString& label);

// Countdown text: "%02d:%02d", or "%d:%02d:%02d" from one hour up, with the
// seconds rounded up. Non-finite input reads as 0, negative as 0.
QString formatCountdown(double seconds);

} // namespace zelvik

Q_DECLARE_METATYPE(zelvik::FocusPreset)

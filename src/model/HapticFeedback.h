#pragma once

namespace zelvik {

// Performs the short "alignment" haptic pattern. Linux desktops have no
// haptic touchpads that a program can drive, so the program's performer is
// silent; tests count the calls.
class HapticFeedback {
public:
    virtual ~HapticFeedback() = default;
    virtual void performAlignment() = 0;
};

class SilentHapticFeedback final : public HapticFeedback {
public:
    void performAlignment() override {}
};

} // namespace zelvik

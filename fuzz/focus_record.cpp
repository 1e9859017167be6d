// The focus record as it is read from the settings file: whatever is
// stored, reading never fails badly, a readable record is written back
// unchanged, and starting, pausing and resuming it keep its rules.
#include "FuzzSupport.h"

#include "model/FocusStore.h"
#include "model/FocusTimer.h"
#include "settings/DefaultsStore.h"

#include <cmath>

using namespace zelvik;

namespace {

class SteppingClock final : public Clock {
public:
    ReferenceSeconds now() const override { return m_now; }
    std::chrono::nanoseconds uptime() const override { return {}; }
    ReferenceSeconds m_now = 786000000;
};

void checkRecord(const FocusState& state, ReferenceSeconds now) {
    fuzz::check(!(state.endDate && state.pausedRemaining), "never running and paused at once");
    if (state.pausedRemaining)
        fuzz::check(*state.pausedRemaining >= 0, "a pause keeps no negative time");
    if (state.endDate)
        fuzz::check(*state.endDate >= now, "a period started now ends no earlier than now");
    formatCountdown(state.duration);
    formatCountdown(state.pausedRemaining.value_or(0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static DefaultsStore store(fuzz::scratchFolder() + QStringLiteral("/focus.conf"));
    static SteppingClock clock;
    const QByteArray input = fuzz::bytes(data, size);

    const auto state = decodeFocusState(input);
    if (!state)
        return 0;
    fuzz::check(std::isfinite(state->duration) && state->duration >= 0,
                "a read duration is a length of time");
    fuzz::check(decodeFocusState(encodeFocusState(*state)) == state,
                "a written record reads back unchanged");

    // The record in the store, started (or paused) and then toggled again a
    // little later, as the focus view's button does.
    store.setValue(QString::fromLatin1(kFocusStoreKey), input);
    FocusStore focus(store, clock);
    fuzz::check(focus.loadFocus() == state, "the store reads what was stored");
    clock.m_now = 786000000;
    if (state->endDate && std::isfinite(*state->endDate))
        clock.m_now = *state->endDate - 1;
    focus.toggleFocus(clock.now());
    const auto first = focus.loadFocus();
    fuzz::check(first.has_value(), "a toggled record is readable");
    checkRecord(*first, clock.now());
    clock.m_now += 0.5;
    focus.toggleFocus(clock.now());
    const auto second = focus.loadFocus();
    fuzz::check(second.has_value(), "a record toggled twice is readable");
    checkRecord(*second, clock.now());
    fuzz::check(second->label == state->label && second->duration == state->duration,
                "toggling keeps label and duration");
    return 0;
}

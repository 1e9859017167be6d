#pragma once

#include <QByteArrayView>

#include <cstdint>

namespace zelvik {

// A display's number: the FNV-1a 32-bit hash of its connector name
// ("eDP-1", "HDMI-A-1"), stable across restarts and reconnections.
std::uint32_t displayNumberForConnector(QByteArrayView connectorName);

} // namespace zelvik

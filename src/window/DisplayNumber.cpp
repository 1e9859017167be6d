#include "DisplayNumber.h"

namespace zelvik {

std::uint32_t displayNumberForConnector(QByteArrayView connectorName) {
    std::uint32_t hash = 2166136261u;
    for (const char byte : connectorName) {
        hash ^= static_cast<std::uint8_t>(byte);
        hash *= 16777619u;
    }
    return hash;
}

} // namespace zelvik

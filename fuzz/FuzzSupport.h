#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace zelvik::fuzz {

// The input as bytes of their own: anything that keeps them (a store, a
// cache) must not point into the fuzzer's buffer.
inline QByteArray bytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A folder of this process's own, where the XDG folders point too, so a
// fuzz target never reads or writes the user's files.
QString scratchFolder();

// A property every input must keep; a broken one stops the run with the
// input saved as a crash.
void check(bool holds, const char* what);

} // namespace zelvik::fuzz

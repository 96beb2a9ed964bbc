#pragma once

#include <QByteArray>

#include <cstdint>

// Fixed-width integers in the two byte orders the containers use: ISO boxes are big-endian,
// RIFF chunks little-endian. Callers check bounds before reading.
namespace byteio {

inline uint64_t ReadBe(const QByteArray& bytes, qsizetype at, int width) {
    uint64_t value = 0;
    for (int i = 0; i < width; ++i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

inline void WriteBe(QByteArray& bytes, qsizetype at, int width, uint64_t value) {
    for (int i = width - 1; i >= 0; --i) {
        bytes[at + i] = static_cast<char>(value & 0xFF);
        value >>= 8;
    }
}

inline uint64_t ReadLe(const QByteArray& bytes, qsizetype at, int width) {
    uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

inline void WriteLe(QByteArray& bytes, qsizetype at, int width, uint64_t value) {
    for (int i = 0; i < width; ++i) {
        bytes[at + i] = static_cast<char>(value & 0xFF);
        value >>= 8;
    }
}

inline QByteArray Be32(uint32_t value) {
    QByteArray bytes(4, '\0');
    WriteBe(bytes, 0, 4, value);
    return bytes;
}

inline QByteArray Le32(uint32_t value) {
    QByteArray bytes(4, '\0');
    WriteLe(bytes, 0, 4, value);
    return bytes;
}

} // namespace byteio

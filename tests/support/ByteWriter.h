#pragma once

// Builds file bytes in tests: integers in either byte order, ISO media boxes and RIFF chunks
// that nest by plain string concatenation:
//   Box("moov", Box("trak", ...) + Box("udta", ...))
//   Chunk("RIFF", "AVI " + List("hdrl", Chunk("avih", ...)))

#include <cstdint>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace bytes {

inline std::string U8(uint8_t v) {
    return std::string(1, static_cast<char>(v));
}

inline std::string BE16(uint16_t v) {
    return {static_cast<char>(v >> 8), static_cast<char>(v)};
}

inline std::string BE32(uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
            static_cast<char>(v)};
}

inline std::string LE16(uint16_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8)};
}

inline std::string LE32(uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}

inline std::string Zeros(size_t count) {
    return std::string(count, '\0');
}

// The bytes of any plain record, as it lies in memory (the track records are the on-disk
// layout).
template <typename T> std::string Raw(const T& value) {
    std::string out(sizeof value, '\0');
    std::memcpy(out.data(), &value, sizeof value);
    return out;
}

// An ISO media box whose size field says what the caller wants (for broken sizes).
inline std::string BoxWithSize(uint32_t size, std::string_view type,
                               std::string_view content = {}) {
    if (type.size() != 4)
        throw std::invalid_argument("box type must have four characters");
    return BE32(size) + std::string(type) + std::string(content);
}

inline std::string Box(std::string_view type, std::string_view content = {}) {
    return BoxWithSize(static_cast<uint32_t>(8 + content.size()), type, content);
}

// A RIFF chunk: ID, little-endian size of the data, the data (no pad byte is added).
inline std::string ChunkWithSize(uint32_t size, std::string_view id, std::string_view data = {}) {
    if (id.size() != 4)
        throw std::invalid_argument("chunk ID must have four characters");
    return std::string(id) + LE32(size) + std::string(data);
}

inline std::string Chunk(std::string_view id, std::string_view data = {}) {
    return ChunkWithSize(static_cast<uint32_t>(data.size()), id, data);
}

// A RIFF list: "LIST", size counting the list type and the content, list type, content.
inline std::string List(std::string_view type, std::string_view content) {
    return Chunk("LIST", std::string(type) + std::string(content));
}

inline void WriteFile(const std::string& path, std::string_view content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

} // namespace bytes

#pragma once

// A reading view of MP4 boxes and RIFF chunks for the tests, kept apart from the maker's
// own walker so that the two do not share a mistake.

#include <QByteArray>
#include <QByteArrayList>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

uint64_t Be(const QByteArray& b, qsizetype at, int width);
uint32_t Le32(const QByteArray& b, qsizetype at);

struct Node {
    QByteArray type; // RIFF lists read "LIST/hdrl" and the like
    qsizetype offset = 0;
    qsizetype size = 0;    // whole box or chunk
    qsizetype content = 0; // first content byte
};

// The boxes or chunks that tile [begin, end); a test failure when one runs past its parent.
std::vector<Node> Boxes(const QByteArray& b, qsizetype begin, qsizetype end);
std::vector<Node> Chunks(const QByteArray& b, qsizetype begin, qsizetype end);

QByteArrayList Types(const std::vector<Node>& nodes);
const Node* Child(const std::vector<Node>& nodes, const char* type);
// The first node along a path of box types from the top of an MP4 file, or null.
std::optional<Node> FindPath(const QByteArray& mp4, std::initializer_list<const char*> path);
std::vector<uint64_t> ChunkOffsets(const QByteArray& mp4);

#include "ContainerView.h"

#include <gtest/gtest.h>

uint64_t Be(const QByteArray& b, qsizetype at, int width) {
    uint64_t v = 0;
    for (int i = 0; i < width; ++i)
        v = (v << 8) | static_cast<uint8_t>(b[at + i]);
    return v;
}

uint32_t Le32(const QByteArray& b, qsizetype at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<uint8_t>(b[at + i]);
    return v;
}

std::vector<Node> Boxes(const QByteArray& b, qsizetype begin, qsizetype end) {
    std::vector<Node> out;
    for (qsizetype p = begin; p + 8 <= end;) {
        const auto size = static_cast<qsizetype>(Be(b, p, 4));
        if (size < 8 || p + size > end) {
            ADD_FAILURE() << "bad box size at " << p;
            break;
        }
        out.push_back({b.mid(p + 4, 4), p, size, p + 8});
        p += size;
    }
    return out;
}

QByteArrayList Types(const std::vector<Node>& nodes) {
    QByteArrayList types;
    for (const Node& n : nodes)
        types << n.type;
    return types;
}

const Node* Child(const std::vector<Node>& nodes, const char* type) {
    for (const Node& n : nodes)
        if (n.type == type)
            return &n;
    return nullptr;
}

std::optional<Node> FindPath(const QByteArray& mp4, std::initializer_list<const char*> path) {
    std::optional<Node> node;
    for (const char* step : path) {
        const qsizetype begin = node ? node->content : 0;
        const qsizetype end = node ? node->offset + node->size : mp4.size();
        const std::vector<Node> children = Boxes(mp4, begin, end);
        const Node* child = Child(children, step);
        if (!child)
            return std::nullopt;
        node = *child;
    }
    return node;
}

std::vector<uint64_t> ChunkOffsets(const QByteArray& mp4) {
    const auto stco = FindPath(mp4, {"moov", "trak", "mdia", "minf", "stbl", "stco"});
    if (!stco)
        return {};
    std::vector<uint64_t> offsets;
    const auto count = static_cast<qsizetype>(Be(mp4, stco->content + 4, 4));
    for (qsizetype i = 0; i < count; ++i)
        offsets.push_back(Be(mp4, stco->content + 8 + 4 * i, 4));
    return offsets;
}

std::vector<Node> Chunks(const QByteArray& b, qsizetype begin, qsizetype end) {
    std::vector<Node> out;
    for (qsizetype p = begin; p + 8 <= end;) {
        const qsizetype size = Le32(b, p + 4);
        if (p + 8 + size > end) {
            ADD_FAILURE() << "chunk " << b.mid(p, 4).toStdString() << " at " << p
                          << " runs past its list";
            break;
        }
        QByteArray id = b.mid(p, 4);
        if (id == "LIST" || id == "RIFF")
            id += "/" + b.mid(p + 8, 4);
        out.push_back({id, p, 8 + size, p + 8});
        p += 8 + size + (size & 1);
    }
    return out;
}

#include "ByteWriter.h"
#include "CameraFixtures.h"
#include "library/RecordingCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

// Input: up to kMaxFiles records, each
//   kind byte: bits 0-1 the content (zeros, an MP4 recording, an AVI recording, the input's
//              own bytes), bit 2 read-only
//   name length byte, then the name bytes: other ASCII is turned into a letter of kNameLetters
//              ('/' makes subfolders), bytes from 0x80 on are kept, so names need not be
//              valid UTF-8
//   content: a 16-bit byte count for zeros and own bytes (which follow), or for a recording
//            the six IDIT fields (year - 2000, month, day, hour, minute, second) and a 16-bit
//            duration in seconds.
// The files are made in one scratch folder, then the folder is scanned as a whole and the
// first file on its own.
namespace {

namespace fs = std::filesystem;

constexpr size_t kMaxFiles = 48;
constexpr size_t kMaxContentBytes = 4096;
// N and E spell the ".NMEA" of a transport stream's sidecar.
constexpr char kNameLetters[] = "0123456789KTRG_-FAVIMPSNE./ a";
constexpr uint8_t kContentMask = 0x03;
constexpr uint8_t kReadOnlyBit = 0x04;
enum Content : uint8_t { kZeros, kMp4, kAvi, kOwnBytes };

class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_at >= m_size; }
    uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    uint16_t Word() {
        const uint8_t low = Byte();
        return static_cast<uint16_t>(low | Byte() << 8);
    }
    std::string Bytes(size_t count) {
        count = std::min(count, m_size - std::min(m_at, m_size));
        std::string out(reinterpret_cast<const char*>(m_data + m_at), count);
        m_at += count;
        return out;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

class ScratchFolder {
public:
    ScratchFolder() {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                       : QDir::tempPath();
        m_path = QStringLiteral("%1/kestrola-fuzz-%2-scan")
                     .arg(base)
                     .arg(QCoreApplication::applicationPid());
    }
    ~ScratchFolder() { Clear(); }
    void Clear() {
        std::error_code error;
        fs::remove_all(Native(), error);
        if (!fs::create_directory(Native(), error) && error)
            std::abort();
    }
    std::string Native() const { return QFile::encodeName(m_path).toStdString(); }
    const QString& Path() const { return m_path; }

private:
    QString m_path;
};

std::string NameFrom(const std::string& raw) {
    std::string name;
    for (const char c : raw) {
        const auto b = static_cast<uint8_t>(c);
        const bool letter = b != 0 && std::strchr(kNameLetters, c) != nullptr;
        name += letter || b >= 0x80 ? c : kNameLetters[b % (sizeof kNameLetters - 1)];
    }
    return name;
}

// Relative paths that stay inside the scratch folder: no empty, "." or ".." parts.
bool StaysInside(const std::string& name) {
    if (name.empty() || name.front() == '/' || name.back() == '/')
        return false;
    for (const fs::path& part : fs::path(name)) {
        if (part.empty() || part == "." || part == "..")
            return false;
    }
    return name.find("//") == std::string::npos;
}

std::string RecordingBytes(Content content, Input& input) {
    unsigned fields[6];
    for (unsigned& field : fields)
        field = input.Byte();
    char idit[64];
    std::snprintf(idit, sizeof idit, "%04u-%02u-%02u %02u:%02u:%02u", 2000 + fields[0], fields[1],
                  fields[2], fields[3], fields[4], fields[5]);
    const uint16_t seconds = input.Word();
    if (content == kMp4)
        return fixtures::Ftyp() + bytes::Box("IDIT", idit) +
               fixtures::Moov(1000, seconds * 1000u, 1280, 720);
    return fixtures::Avi(40000, seconds * 25u, 1920, 1080, bytes::Chunk("IDIT", idit));
}

struct MadeFile {
    QString subfolder;
    QString name;
};

void MakeFiles(const ScratchFolder& folder, Input& input, std::vector<MadeFile>& made) {
    for (size_t i = 0; i < kMaxFiles && !input.Empty(); ++i) {
        const uint8_t kind = input.Byte();
        const std::string name = NameFrom(input.Bytes(input.Byte()));
        const auto content = static_cast<Content>(kind & kContentMask);
        std::string bytesOut;
        if (content == kMp4 || content == kAvi)
            bytesOut = RecordingBytes(content, input);
        else if (content == kZeros)
            bytesOut = bytes::Zeros(input.Word() % kMaxContentBytes);
        else
            bytesOut = input.Bytes(input.Word() % kMaxContentBytes);
        if (!StaysInside(name))
            continue;
        const fs::path path = fs::path(folder.Native()) / name;
        std::error_code error;
        fs::create_directories(path.parent_path(), error);
        if (error || fs::is_directory(path, error))
            continue;
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
        try {
            bytes::WriteFile(path.string(), bytesOut);
        } catch (const std::runtime_error&) {
            continue;
        }
        if (kind & kReadOnlyBit)
            fs::permissions(path, fs::perms::owner_write, fs::perm_options::remove, error);
        const QString relative = QFile::decodeName(QByteArray::fromStdString(name));
        const qsizetype slash = relative.lastIndexOf(u'/');
        made.push_back({relative.left(slash + 1), relative.mid(slash + 1)});
    }
}

char16_t Folded(QChar c) {
    const char16_t u = c.unicode();
    return u >= u'A' && u <= u'Z' ? static_cast<char16_t>(u + (u'a' - u'A')) : u;
}

bool NameLess(const QString& a, const QString& b) {
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (Folded(a[i]) != Folded(b[i]))
            return Folded(a[i]) < Folded(b[i]);
    }
    return a.size() < b.size();
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Entries in name order, each an accepted regular file; groups cut the entries into
// consecutive runs that cover them all; rows mirror entries and groups.
void CheckCatalogue(RecordingCatalogue& catalogue, bool namesChecked) {
    const auto& entries = catalogue.Entries();
    const auto& groups = catalogue.Groups();
    const auto& rows = catalogue.Rows();
    for (size_t i = 1; i < entries.size(); ++i)
        Check(!NameLess(entries[i].name, entries[i - 1].name));
    for (int32_t n = 0; n < catalogue.EntryCount(); ++n) {
        const QString path = catalogue.EntryPath(n);
        Check(QFileInfo(path).isFile());
        Check(!namesChecked || RecordingCatalogue::ClassifyName(entries[n].name).accepted);
    }
    Check(rows.size() == entries.size());
    Check(entries.empty() == groups.empty());
    int32_t next = 0;
    for (size_t g = 0; g < groups.size(); ++g) {
        const RecordingGroup& group = groups[g];
        Check(group.number == static_cast<int32_t>(g) && group.first == next && group.count > 0);
        uint64_t bytes = 0;
        uint8_t locks = 0;
        for (int32_t i = group.first; i < group.first + group.count; ++i) {
            Check(static_cast<size_t>(i) < entries.size());
            Check((entries[i].groupStart == 1) == (i == group.first));
            Check(rows[i].entry == i && rows[i].group == group.number &&
                  rows[i].place == i - group.first);
            bytes += entries[i].info.fileSize;
            locks |= entries[i].lockFlags;
        }
        Check(group.totalBytes == bytes && group.lockFlags == locks);
        next += group.count;
    }
    Check(next == catalogue.EntryCount());
    for (int32_t n = 0; n < catalogue.EntryCount(); ++n) {
        Check(catalogue.Select(n));
        Check(catalogue.currentGroup() == rows[n].group &&
              catalogue.CurrentPath() == catalogue.EntryPath(n));
    }
    Check(!catalogue.Select(catalogue.EntryCount()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScratchFolder folder;
    folder.Clear();
    Input input(data, size);
    std::vector<MadeFile> made;
    MakeFiles(folder, input, made);

    RecordingCatalogue catalogue;
    Check(catalogue.Scan(folder.Path(), QString()));
    Check(catalogue.EntryCount() <= static_cast<int32_t>(made.size()));
    CheckCatalogue(catalogue, true);

    if (!made.empty()) {
        const MadeFile& first = made.front();
        const QString folderPath = folder.Path() + u'/' + first.subfolder;
        const bool exists = QFileInfo::exists(folderPath + first.name);
        Check(catalogue.Scan(folderPath, first.name) == exists);
        Check(catalogue.EntryCount() == (exists ? 1 : 0));
        CheckCatalogue(catalogue, false);
    }
    return 0;
}

// The floor for a catalogue scan: one process that walks a tree and reads the first and the
// last 64 KiB of every regular file, which is where a camera's boxes and chunks are found.
// Prints the number of files and bytes read; exit 1 when the tree cannot be walked.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace {

constexpr std::streamsize kEndBytes = 64 * 1024;

std::streamsize ReadEnds(const std::filesystem::path& path, std::uintmax_t size,
                         std::vector<char>& buffer) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return 0;
    file.read(buffer.data(), kEndBytes);
    std::streamsize total = file.gcount();
    if (size > static_cast<std::uintmax_t>(2 * kEndBytes)) {
        file.clear();
        file.seekg(static_cast<std::streamoff>(size) - kEndBytes);
        file.read(buffer.data(), kEndBytes);
        total += file.gcount();
    }
    return total;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: read_ends_floor FOLDER\n");
        return 2;
    }
    std::vector<char> buffer(kEndBytes);
    std::error_code error;
    std::filesystem::recursive_directory_iterator walk(argv[1], error);
    if (error) {
        std::fprintf(stderr, "read_ends_floor: %s\n", error.message().c_str());
        return 1;
    }
    long long files = 0;
    long long bytes = 0;
    for (const std::filesystem::directory_entry& entry : walk) {
        if (!entry.is_regular_file(error))
            continue;
        ++files;
        bytes += ReadEnds(entry.path(), entry.file_size(error), buffer);
    }
    std::printf("%lld files, %lld bytes read\n", files, bytes);
    return 0;
}

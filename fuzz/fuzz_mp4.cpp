#include "FuzzInputFile.h"
#include "track/CKtr3gpParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzInputFile input(QStringLiteral("input.MP4"));
    RecordingInfo info;
    FileStatus status;
    CKtr3gpParser reader;
    reader.SetInfoTarget(&info);
    reader.SetStatusTarget(&status);
    const int32_t result = reader.Parse(input.Write(data, size));
    if (result != 0 && result != -1)
        std::abort();
    if (result == 0 && (info.width == 0 || info.height == 0 || info.durationMs == 0))
        std::abort();
    return 0;
}

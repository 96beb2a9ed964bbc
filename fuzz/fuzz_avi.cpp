#include "FuzzInputFile.h"
#include "track/CKtrAviParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzInputFile input(QStringLiteral("input.AVI"));
    RecordingInfo info;
    FileStatus status;
    CKtrAviParser reader;
    reader.SetInfoTarget(&info);
    reader.SetStatusTarget(&status);
    const int32_t result = reader.Parse(input.Write(data, size));
    if (result != 0 && result != -1)
        std::abort();
    if (result == 0 && (info.width == 0 || info.height == 0 || info.durationMs == 0 ||
                        info.durationSeconds != info.durationMs / 1000))
        std::abort();
    return 0;
}

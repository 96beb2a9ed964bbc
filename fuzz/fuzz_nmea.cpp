#include "FuzzInputFile.h"
#include "track/NmeaSidecarReader.h"

#include <algorithm>
#include <string_view>

namespace {

class CountingSink : public GSensorSampleSink {
public:
    void AddSample(const GSensorSample&) override { ++count; }
    int32_t count = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The sidecar of "<scratch>_F.TS" is "<scratch>_.NMEA".
    static FuzzInputFile sidecar(QStringLiteral("_.NMEA"));
    static const QString video = sidecar.Path().chopped(6) + QStringLiteral("_F.TS");

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (size_t at = 0; at <= text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        const NmeaFields cut = CutNmeaFields(text.substr(at, end - at));
        for (const std::string& field : cut.fields)
            NmeaNumber(field);
        at = end + 1;
    }

    sidecar.Write(data, size);
    CountingSink sink;
    const NmeaSidecarTrack track = ReadNmeaSidecar(video, &sink);
    if (track.gsensorCount != sink.count)
        std::abort();
    return 0;
}

#include "library/RecordingCatalogue.h"

#include "track/TrackLoader.h"

int32_t RecordingCatalogue::LoadTrack(int32_t index) {
    if (index < 0 || index >= EntryCount())
        return 0;
    m_currentEntry = index;
    return TrackLoader(m_track, m_curve, m_map).Load(index, EntryPath(index), Entry(index).info);
}

int32_t RecordingCatalogue::RedrawDrivenPath(uint32_t t) {
    return TrackLoader(m_track, m_curve, m_map).RedrawDrivenPath(t);
}

#include "library/CopyJob.h"

#include "platform/FileCopy.h"

#include <algorithm>

namespace {

constexpr int kWholePercent = 100;

} // namespace

CopyJob::CopyJob(ProgressReport onProgress, EndReport onEnd)
    : m_onProgress(std::move(onProgress)), m_onEnd(std::move(onEnd)) {}

CopyJob::~CopyJob() {
    m_cancel = true;
    if (m_thread.joinable())
        m_thread.join();
}

bool CopyJob::Start(std::vector<CopyItem> items) {
    if (Running())
        return false;
    m_cancel = false;
    m_thread = std::thread([this, items = std::move(items)] { Run(items); });
    return true;
}

void CopyJob::Run(const std::vector<CopyItem>& items) {
    std::vector<FileFailure> failures;
    const auto total = static_cast<int64_t>(items.size());
    int64_t done = 0;
    for (const CopyItem& item : items) {
        if (m_cancel)
            break;
        if (!item.skipped) {
            const QString reason =
                CopyFileSafely(item.source, item.target, [this] { return !m_cancel; });
            if (!reason.isEmpty())
                failures.push_back({item.target, reason});
        }
        ++done;
        const int percent =
            static_cast<int>(std::min<int64_t>(done * kWholePercent / total, kWholePercent));
        // Queued to this object: runs on its thread, and is dropped if the job is destroyed.
        QMetaObject::invokeMethod(
            this, [this, percent] { m_onProgress(percent); }, Qt::QueuedConnection);
    }
    QMetaObject::invokeMethod(
        this,
        [this, failures] {
            // The thread has nothing left to do but return.
            m_thread.join();
            m_onEnd(failures);
        },
        Qt::QueuedConnection);
}

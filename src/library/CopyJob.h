#pragma once

#include "library/FileFailure.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

struct CopyItem {
    QString source;
    QString target;
    bool skipped = false; // counts towards the progress but is not copied
};

// Copies files one after the other on a thread of its own, so that a copy of many gigabytes does
// not stop the window, and reports back on the thread that created the job. Destroying the job
// cancels the copy in progress and waits for the thread; the file being copied then never
// appears under its real name.
class CopyJob : public QObject {
public:
    using ProgressReport = std::function<void(int percent)>;
    using EndReport = std::function<void(const std::vector<FileFailure>& failures)>;

    CopyJob(ProgressReport onProgress, EndReport onEnd);
    ~CopyJob() override;
    CopyJob(const CopyJob&) = delete;
    CopyJob& operator=(const CopyJob&) = delete;

    // False, and nothing starts, while a copy is running. After each item the progress report
    // gets done * 100 / total; the end report follows the last one.
    bool Start(std::vector<CopyItem> items);
    bool Running() const { return m_thread.joinable(); }

private:
    void Run(const std::vector<CopyItem>& items);

    ProgressReport m_onProgress;
    EndReport m_onEnd;
    std::atomic<bool> m_cancel{false};
    std::thread m_thread;
};

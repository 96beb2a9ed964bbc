#include "ProcessTreeUsage.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

#include <map>
#include <vector>

namespace {

// Fields of /proc/PID/stat, counted from 1 as proc(5) does.
constexpr int kParentField = 4;
constexpr int kUserTimeField = 14;
constexpr int kChildrenSystemTimeField = 17;
constexpr int kResidentPagesField = 24;

struct ProcessStat {
    pid_t parent = 0;
    double ticks = 0;
    double residentPages = 0;
};

// The name in the second field may hold spaces and brackets, so the fields are taken from
// after its last closing bracket.
bool ReadStat(pid_t pid, ProcessStat& stat) {
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = file.readAll();
    const qsizetype nameEnd = text.lastIndexOf(')');
    if (nameEnd < 0)
        return false;
    const QList<QByteArray> fields = text.mid(nameEnd + 2).split(' ');
    constexpr int kFirstField = 3;
    if (fields.size() <= kResidentPagesField - kFirstField)
        return false;
    const auto field = [&](int number) { return fields[number - kFirstField].toDouble(); };
    stat.parent = pid_t(field(kParentField));
    stat.ticks = 0;
    for (int number = kUserTimeField; number <= kChildrenSystemTimeField; ++number)
        stat.ticks += field(number);
    stat.residentPages = field(kResidentPagesField);
    return true;
}

} // namespace

ProcessTreeUsage ReadProcessTree(pid_t root) {
    std::map<pid_t, ProcessStat> all;
    for (const QString& name : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const pid_t pid = pid_t(name.toInt(&isPid));
        ProcessStat stat;
        if (isPid && ReadStat(pid, stat))
            all[pid] = stat;
    }
    std::multimap<pid_t, pid_t> children;
    for (const auto& [pid, stat] : all)
        children.emplace(stat.parent, pid);

    const double ticksPerSecond = double(sysconf(_SC_CLK_TCK));
    const double pageMiB = double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
    ProcessTreeUsage usage;
    if (!all.count(root))
        return usage;
    usage.rootResidentMiB = all[root].residentPages * pageMiB;
    std::vector<pid_t> pending{root};
    while (!pending.empty()) {
        const pid_t pid = pending.back();
        pending.pop_back();
        const ProcessStat& stat = all[pid];
        usage.cpuSeconds += stat.ticks / ticksPerSecond;
        usage.residentMiB += stat.residentPages * pageMiB;
        ++usage.processes;
        const auto [first, last] = children.equal_range(pid);
        for (auto it = first; it != last; ++it)
            pending.push_back(it->second);
    }
    return usage;
}

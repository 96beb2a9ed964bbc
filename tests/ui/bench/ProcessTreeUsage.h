#pragma once

#include <sys/types.h>

#include <cstdint>

// What a process and all of its descendants use at one moment, read from /proc.
struct ProcessTreeUsage {
    // User and system time of the tree, including children that ended and were reaped by a
    // member of the tree, so the difference of two readings is what the tree spent between
    // them.
    double cpuSeconds = 0;
    // Resident memory summed over the members (shared pages count once per member).
    double residentMiB = 0;
    double rootResidentMiB = 0;
    int processes = 0;
};

ProcessTreeUsage ReadProcessTree(pid_t root);

#include "ui/controls/StatusBoardProgress.h"

#include <algorithm>

namespace {

constexpr int kFull = 100;

} // namespace

QString ProgressValueText(int percent) {
    return QString::asprintf("%d %c", percent, '%');
}

int ProgressSplit(int left, int right, int percent) {
    return left + (right - left) * std::clamp(percent, 0, kFull) / kFull;
}

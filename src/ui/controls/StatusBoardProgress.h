#pragma once

#include <QString>

// The progress board's value text: the percentage, a space and a percent sign.
QString ProgressValueText(int percent);

// Where the filled part of the board ends between left and right (right exclusive). A
// percentage outside 0 to 100 fills nothing or everything instead of leaving the bar.
int ProgressSplit(int left, int right, int percent);

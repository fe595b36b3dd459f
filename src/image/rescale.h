#pragma once
// A change of the battery's cell count: the absolute voltages that follow the count, so
// that their per-cell values stay what they were.

#include "globals.h"

#include <array>

// The words in the order they are scaled: the DC voltage thresholds, the rated voltages
// of the rectifier, the minimum discharge voltage and the charging voltages.
constexpr std::array<int, 16> AbsoluteVoltageWords = {1,   2,   3,   4,   5,   6,   7,   100,
                                                      101, 102, 454, 556, 575, 576, 535, 538};

// A voltage word (tenths) for newCount cells instead of oldCount: word x newCount /
// oldCount, rounded half away from zero to whole tenths as its one-decimal text shows it,
// at most 65535. A count of 0 scales nothing: the word comes back as it is.
quint16 RescaledTenths(quint16 word, quint16 oldCount, quint16 newCount);

// Scales the 16 absolute voltages of `image`; false (and nothing changed) when either
// count is 0.
bool RescaleAbsoluteVoltages(TParamImage &image, quint16 oldCount, quint16 newCount);

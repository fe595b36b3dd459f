#pragma once
// The signal configuration matrix inside the parameter image: which of the 64 signals
// drive which output row. Row r (0..16) holds four words, in signal order
//   181 + 2r (signals 0..15), 180 + 2r (16..31), 219 + 2r (32..47), 218 + 2r (48..63),
// signal s being bit s % 16 of the word of quarter s / 16. Words 214..217 lie between
// the two halves and belong to no row.

#include "globals.h"

#include <array>

constexpr int SignalMatrixRows = 17;      // rows kept in the image
constexpr int SignalMatrixShownRows = 16; // rows 0..15 have an output and are edited
constexpr int SignalCount = 64;

// The four words of one row in signal order (signals 0-15, 16-31, 32-47, 48-63).
using SignalRow = std::array<quint16, 4>;

struct SignalBitPlace
{
    int word = -1; // -1: no such row or signal
    int bit = 0;
};

// Word of quarter 0..3 of a row; -1 outside rows 0..16 or quarters 0..3.
int SignalRowWord(int row, int quarter);
// Word and bit of signal 0..63 in row 0..16.
SignalBitPlace SignalMatrixBit(int row, int signal);

// True when the signal drives the row; false outside the matrix.
bool SignalAssigned(const TParamImage &image, int row, int signal);
// Flips the bit of the signal in the row and returns its new state. Outside the matrix
// nothing changes and the result is false.
bool ToggleSignal(TParamImage &image, int row, int signal);

// The row's four words; all zero outside rows 0..16.
SignalRow CopySignalRow(const TParamImage &image, int row);
// Writes the four words into the row; nothing outside rows 0..16.
void PasteSignalRow(TParamImage &image, int row, const SignalRow &words);

// Moves a matrix of the old layout into the current one, row by row: every set bit
// position of the old layout sets the signal (old position 7 the two signals) that
// the current layout has for it. All 17 rows are rebuilt; other words stay.
void ConvertOldSignalMatrix(TParamImage &image);

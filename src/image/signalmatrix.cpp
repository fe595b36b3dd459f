#include "signalmatrix.h"

namespace {
// First word of quarters 0..3 of row 0; each row lies two words further on.
constexpr int QuarterWord[4] = {181, 180, 219, 218};

// The current signal of each bit position of the old layout.
constexpr quint8 OldPositionSignal[SignalCount] = {
    0,  3,  6,  9,  10, 11, 14, 23, 25, 20, 17, 32, 26, 30, 33, 34, // positions 0..15
    37, 38, 39, 40, 41, 42, 43, 44, 52, 53, 54, 55, 58, 59, 56, 57, // 16..31
    27, 31, 28, 35, 18, 19, 36, 51, 20, 21, 22, 0,  1,  2,  3,  4,  // 32..47
    5,  6,  7,  8,  11, 12, 13, 14, 15, 16, 45, 46, 47, 48, 49, 50, // 48..63
};
// Old position 7 (inverter fault and redundancy in one) sets a second signal.
constexpr int SplitPosition = 7;
constexpr int SplitSecondSignal = 24;

bool validRow(int row)
{
    return row >= 0 && row < SignalMatrixRows;
}

// The row as 64 bits, signal s at bit s.
quint64 rowBits(const TParamImage &image, int row)
{
    quint64 bits = 0;
    for (int q = 0; q < 4; ++q)
        bits |= quint64(image[SignalRowWord(row, q)]) << (16 * q);
    return bits;
}

void setRowBits(TParamImage &image, int row, quint64 bits)
{
    for (int q = 0; q < 4; ++q)
        image[SignalRowWord(row, q)] = quint16(bits >> (16 * q));
}
} // namespace

int SignalRowWord(int row, int quarter)
{
    if (!validRow(row) || quarter < 0 || quarter > 3)
        return -1;
    return QuarterWord[quarter] + 2 * row;
}

SignalBitPlace SignalMatrixBit(int row, int signal)
{
    if (!validRow(row) || signal < 0 || signal >= SignalCount)
        return {};
    return {SignalRowWord(row, signal / 16), signal % 16};
}

bool SignalAssigned(const TParamImage &image, int row, int signal)
{
    const SignalBitPlace place = SignalMatrixBit(row, signal);
    return place.word >= 0 && (image[place.word] >> place.bit) & 1;
}

bool ToggleSignal(TParamImage &image, int row, int signal)
{
    const SignalBitPlace place = SignalMatrixBit(row, signal);
    if (place.word < 0)
        return false;
    image[place.word] ^= quint16(1u << place.bit);
    return (image[place.word] >> place.bit) & 1;
}

SignalRow CopySignalRow(const TParamImage &image, int row)
{
    SignalRow words{};
    if (validRow(row)) {
        for (int q = 0; q < 4; ++q)
            words[q] = image[SignalRowWord(row, q)];
    }
    return words;
}

void PasteSignalRow(TParamImage &image, int row, const SignalRow &words)
{
    if (!validRow(row))
        return;
    for (int q = 0; q < 4; ++q)
        image[SignalRowWord(row, q)] = words[q];
}

void ConvertOldSignalMatrix(TParamImage &image)
{
    for (int row = 0; row < SignalMatrixRows; ++row) {
        const quint64 old = rowBits(image, row);
        quint64 converted = 0;
        for (int position = 0; position < SignalCount; ++position) {
            if (!((old >> position) & 1))
                continue;
            converted |= quint64(1) << OldPositionSignal[position];
            if (position == SplitPosition)
                converted |= quint64(1) << SplitSecondSignal;
        }
        setRowBits(image, row, converted);
    }
}

#pragma once
// The names of the 64 signals of the signal configuration matrix, kept in
// G.SignalTextTable: entry 4 + s names signal s, entries 0..3 and 68..71 stay empty
// so that a window of five entries around any matrix column stays inside the table.

#include <QByteArray>

constexpr int SignalTextMaxLength = 16;

// Rebuilds all 72 entries of G.SignalTextTable from G.ParamImage: limit texts from the
// six channel labels, the 16 input names, and the fixed texts in German when
// LanguageIndex (word 80) is 1, in English otherwise. Cannot fail.
void BuildSignalTexts();

// Entry `index` of G.SignalTextTable as Windows-1252 bytes; empty outside 0..71.
QByteArray SignalText(int index);

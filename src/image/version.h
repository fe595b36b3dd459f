#pragma once
// The version check of loaded data: the firmware text "Version " + number, from line 6
// of a project file or built from word 962 after a read. Data of a version above 0.99
// and below 2.50 are old: they must be confirmed before a write.
//
// This is the rule only. The window shows the messages (the attention message for
// UnknownPrefix and Old, the error box for Unconvertible, after resetting the attention
// message's "Don't show message again"), shows or hides the old-data notice, and calls
// applyVersionCheck for the shared state.

#include <QString>
#include <QtGlobal>

enum class VersionOutcome {
    UnknownPrefix, // the text does not begin with "Version "
    Unconvertible, // the number after it is no number
    Old,           // 9900 < v < 25000 ten-thousandths
    Current,       // any other number
};

struct VersionCheck
{
    VersionOutcome outcome = VersionOutcome::UnknownPrefix;
    QString numberText; // the text after "Version ", untrimmed
    qint64 value = 0;   // the version in ten-thousandths (2.30 gives 23000); valid for Old and Current
    QString message;    // the text to show; empty for Current
};

// "Version " with a capital V and one blank.
extern const QString VersionPrefix;
extern const QString UnknownVersionText;     // attention message for UnknownPrefix
extern const QString VersionNotReadableText; // error box for Unconvertible

// A number text as a fixed-point number with four decimals, counted in ten-thousandths,
// the way a currency conversion reads it: blanks and control characters at both ends
// are removed; "." is the decimal separator whatever the locale; an optional sign and
// an optional exponent ("2.5E0") are accepted; no thousands separators, no inner
// blanks. Digits beyond the fourth decimal are not refused: the value is rounded to
// the nearest ten-thousandth, a tie to the even one ("2.49995" gives 25000). False
// for anything else, and for a value outside the 64-bit range of ten-thousandths.
bool parseVersionNumber(const QString &text, qint64 *tenThousandths);

// The check itself; no side effects.
VersionCheck checkVersionText(const QString &firmwareText);

// The shared-state effect: Old clears G.WriteAccepted; nothing else changes it.
void applyVersionCheck(const VersionCheck &check);

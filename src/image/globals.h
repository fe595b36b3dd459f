#pragma once
// Shared state of the configurator: the three copies of the parameter image and
// the state flags. Everything runs on the one GUI thread; there is no locking.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>

constexpr int ImageWordCount = 1024;
using TParamImage = std::array<quint16, ImageWordCount>;

constexpr int SignalTextCount = 72;
using TSignalTextTable = std::array<QByteArray, SignalTextCount>; // Windows-1252 bytes, at most 16 each

// Image words that several parts of the program share.
enum SharedWord : int {
    ImageWord0 = 0,
    BatteryCellCount = 70,
    CustomLanguage = 79,
    LanguageIndex = 80,
    LogoLine1 = 256, // 256..263
    LogoLine2 = 264, // 264..271
    VoltageVariant = 960,
    FirmwareVersion = 962,
    SerialNumber = 965, // 965..972
    DinRailVersion = 1012,
    NominalCurrent = 103,
};

struct Globals
{
    TParamImage ParamImage{};     // working copy
    TParamImage CommittedImage{}; // committed copy: sent to the unit, compared with ReferenceImage
    TParamImage ReferenceImage{}; // as last loaded, read or built

    bool DataLoaded = false;
    bool ProjectOpen = false;
    bool DeviceDataRead = false;
    bool ProjectTextModified = false;
    bool ImageModified = false;
    bool WriteAccepted = false;
    bool FillingInProgress = false;
    bool SignalMatrixConverted = false;
    quint8 TransferDirection = 0; // 1 = read from the unit, 2 = write to the unit
    quint16 VoltageRange = 0;     // 1 = H, any other value = L
    quint16 CellCount = 0;
    int CurrentPage = 0;       // 1..12, 0 before the first page entry
    quint16 VisitedPages = 0;  // bits 0x0008, 0x0010, 0x0100, 0x0200 for pages 4, 5, 9, 10

    QString ProgramVersion;    // "2.60", set when the main window is created
    QString BrandText;         // "KRT Power", set when the main window is created
    QString TestDateLine;      // line 9 of the last opened project file
    QString OpenedFileName;

    TSignalTextTable SignalTextTable{};
    // One row of the signal matrix copied on page 8 (signals 0-15, 16-31, 32-47, 48-63);
    // emptied whenever page 8 is left.
    std::array<quint16, 4> SignalClipboard{};
};

// The one instance every part of the program works on.
extern Globals G;

// Back to the state at start-up (all images zero, all flags 0). Used by tests.
void resetGlobals();

// True when any of words 1..1023 of CommittedImage differs from ReferenceImage.
bool ImagesDiffer();

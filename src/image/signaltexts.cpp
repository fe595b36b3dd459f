#include "signaltexts.h"

#include "globals.h"
#include "textcodec.h"

namespace {

constexpr int FirstSignalEntry = 4;

struct LimitText
{
    quint16 labelWord;
    const char *defaultPrefix;
    const char *suffix;
};

// Signals 0..9: a limit violation of one of the six measured channels.
constexpr LimitText LimitTexts[] = {
    {281, "Vdc1 ", "<Vmin1"}, {281, "Vdc1 ", ">Vmax1"}, {281, "Vdc1 ", "<Vwarn1"}, {286, "Vdc2 ", "<Vmin2"},
    {286, "Vdc2 ", ">Vmax2"}, {291, "Vdc3 ", "<Vmin3"}, {291, "Vdc3 ", ">Vmax3"},  {301, "Idc1 ", ">Imax1"},
    {306, "Idc2 ", ">Imax2"}, {311, "Idc3 ", ">Imax3"},
};

// Signals 30..45: digital inputs 1..8 of the unit, then inputs 1..8 of the KRT-5.
constexpr int FirstInputSignal = 30;
constexpr int InputNameCount = 16;
constexpr quint16 FirstInputNameWord = 321;
constexpr int InputNameWords = 8;

struct FixedText
{
    int signal;
    const char16_t *english;
    const char16_t *german;
};

constexpr FixedText FixedTexts[] = {
    {10, u"not used", u"frei"},
    {11, u"not used", u"frei"},
    {12, u"Tsensor fault", u"T-Sensor Fehler"},
    {13, u"Temperature <", u"Temperatur <"},
    {14, u"Temperature >", u"Temperatur >"},
    {15, u"Mains fault U <", u"Netzfehler U <"},
    {16, u"Mains fault U >", u"Netzfehler U >"},
    {17, u"Insulation fault", u"Isolationsfehler"},
    {18, u"Batt unsymmetry", u"Batt Unsymmet."},
    {19, u"Rectifier fault", u"GR Fehler"},
    {20, u"Rectifier red.", u"GR Redundanz"},
    {21, u"Rec.load limit", u"GR Lastgrenze"},
    {22, u"Rec.load distrib", u"GR Lastvert."},
    {23, u"Inv.fault", u"WR St\u00F6rung"},
    {24, u"Inv.redundancy", u"WR Redundanz"},
    {25, u"SBS fault", u"SBS St\u00F6rung"},
    {26, u"KRT-3 fault", u"KRT-3 St\u00F6rung"},
    {27, u"KRT-4 fault", u"KRT-4 St\u00F6rung"},
    {28, u"KRT-5 fault", u"KRT-5 St\u00F6rung"},
    {29, u"not used", u"frei"},
    {46, u"Battery fault", u"Batteriefehler"},
    {47, u"Battery test", u"Batterietest"},
    {48, u"Bat.-operation", u"Batteriebetrieb"},
    {49, u"Boost charge", u"Starkladung"},
    {50, u"Fan operating", u"L\u00FCfter"},
    {51, u"Countercell 1", u"Gegenzelle 1"},
    {52, u"Countercell 2", u"Gegenzelle 2"},
    {53, u"not used", u"frei"},
    {54, u"not used", u"frei"},
    {55, u"not used", u"frei"},
    {56, u"not used", u"frei"},
    {57, u"not used", u"frei"},
    {58, u"not used", u"frei"},
    {59, u"not used", u"frei"},
    {60, u"not used", u"frei"},
    {61, u"not used", u"frei"},
    {62, u"System OFF", u"System AUS"},
    {63, u"(res.) POWER ON", u"(res.) NEUSTART"},
};

void storeSignal(int signal, const QByteArray &text)
{
    G.SignalTextTable[FirstSignalEntry + signal] = text.left(SignalTextMaxLength);
}

// Cuts trailing blanks and control characters (every byte up to 0x20).
QByteArray trimRightBytes(QByteArray bytes)
{
    qsizetype n = bytes.size();
    while (n > 0 && quint8(bytes.at(n - 1)) <= 0x20)
        --n;
    bytes.truncate(n);
    return bytes;
}

} // namespace

void BuildSignalTexts()
{
    for (auto &entry : G.SignalTextTable)
        entry.clear();

    int signal = 0;
    for (const LimitText &limit : LimitTexts) {
        const QString label = GetImageText8(limit.labelWord, true, QString::fromLatin1(limit.defaultPrefix));
        storeSignal(signal++, toWin1252(label) + QByteArray(limit.suffix));
    }

    for (int n = 0; n < InputNameCount; ++n) {
        const QString name = GetImageText16(quint16(FirstInputNameWord + InputNameWords * n));
        storeSignal(FirstInputSignal + n, trimRightBytes(toWin1252(name)));
    }

    const bool german = G.ParamImage[LanguageIndex] == 1;
    for (const FixedText &fixed : FixedTexts)
        storeSignal(fixed.signal, toWin1252(QString::fromUtf16(german ? fixed.german : fixed.english)));
}

QByteArray SignalText(int index)
{
    if (index < 0 || index >= SignalTextCount)
        return QByteArray();
    return G.SignalTextTable[index];
}

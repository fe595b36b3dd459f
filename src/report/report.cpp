#include "report.h"

#include "canvas.h"
#include "datetimetext.h"
#include "encodings.h"
#include "fieldtext.h"
#include "globals.h"
#include "imagetexts.h"
#include "signalmatrix.h"
#include "signaltexts.h"
#include "textcodec.h"

#include <QLocale>

namespace {
constexpr int BodyHeight = 35;
constexpr int TitleHeight = 43;
constexpr int HeaderDashStep = 8;
constexpr int HeaderRuleEnd = 1830;
constexpr int TitleDashes = 94;

// A failure of the canvas ends the run.
struct CanvasFailure
{
};

quint16 W(int n)
{
    return n >= 0 && n < ImageWordCount ? G.ParamImage[size_t(n)] : 0;
}

QString integer(int n)
{
    return QString::number(W(n));
}

QString tenths(int n)
{
    return TenthsText(W(n));
}

// The total in tenths, " V =>", the value per cell with two decimals, " V/cell". Without
// a cell count the per-cell value is left empty.
QString perCellPair(int n)
{
    return tenths(n) + QStringLiteral(" V =>") + PerCellText(enc::fromTenths(W(n)), W(BatteryCellCount)) +
           QStringLiteral(" V/cell");
}

QString yesNo(bool on, bool blank = false)
{
    const QString s = on ? QStringLiteral("yes") : QStringLiteral("no");
    return blank ? QLatin1Char(' ') + s : s;
}

QString bit(int n, int k, bool blank = false)
{
    return yesNo(enc::bitOf(W(n), k), blank);
}

QString equalsOne(int n)
{
    return yesNo(W(n) == 1);
}

QString inputNumber(int n)
{
    return W(n) > 0 ? QStringLiteral("yes (Input Nr.") + integer(n) + QStringLiteral(" )") : QStringLiteral("no");
}

QString contactType(int n, int k)
{
    return enc::bitOf(W(n), k) ? QStringLiteral("break contact") : QStringLiteral("close contact");
}

QString sec(int n)
{
    return integer(n) + QStringLiteral(" sec.");
}

// General number format with at most 8 significant digits: "-5", "2.5".
QString generalNumber(double v)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(v, 'g', 8);
}

QString currentDateTimeText(const QDateTime &now)
{
    const QLocale locale;
    QString s = locale.toString(now.date(), QLocale::ShortFormat);
    if (now.time() != QTime(0, 0))
        s += QLatin1Char(' ') + LongTimeText(now.time(), locale);
    return s;
}
} // namespace

TReport::TReport(TReportCanvas &canvas, const TReportInput &input) : m_canvas(canvas), m_input(input) {}

bool TReport::run()
{
    PrintPageNo = 1;
    PrintX = LeftMargin;
    PrintY = 0;
    if (!m_canvas.beginDoc())
        return false;
    try {
        m_canvas.setFont(BodyHeight, false);
        PrintPageHeader(false);
        projectValues();
        logo();
        batteryValues();
        devices();
        thresholds();
        analogInputs();
        digitalInputs();
        outputs();
        boostCharge();
        manualCharge();
        systemTest();
        counterCells();
        mainsMonitor();
        language();
        signalConfiguration();
        memo();
    } catch (const CanvasFailure &) {
        m_canvas.abortDoc();
        return false;
    }
    if (!m_canvas.endDoc()) {
        m_canvas.abortDoc();
        return false;
    }
    return true;
}

// ---- layout ----

void TReport::PrintPageHeader(bool newPage)
{
    if (newPage) {
        ++PrintPageNo;
        if (!m_canvas.newPage())
            throw CanvasFailure();
    }
    m_canvas.setFont(BodyHeight, false);
    m_canvas.textOut(LeftMargin, -42, m_input.projectName);
    m_canvas.textOut(1720, -42, QStringLiteral(" Page ") + QString::number(PrintPageNo));
    for (PrintX = LeftMargin, PrintY = -85; PrintX <= HeaderRuleEnd; PrintX += HeaderDashStep)
        m_canvas.textOut(PrintX, PrintY, QStringLiteral("-"));
    PrintX = LeftMargin;
    PrintY = -135;
}

void TReport::PrintNewLine(int lines, int pageLength)
{
    if (pageLength + PrintY - 300 >= 0) {
        PrintY -= LineHeight * lines;
        PrintX = LeftMargin;
        return;
    }
    PrintPageHeader(true);
}

void TReport::PrintSectionTitle(int dashStep, int lineHeight, int pageLength, const QString &title)
{
    if (pageLength + PrintY - 350 < 0)
        PrintPageHeader(true);
    auto rule = [&] {
        m_canvas.setFont(BodyHeight, false);
        for (int k = 0; k < TitleDashes; ++k, PrintX += dashStep)
            m_canvas.textOut(PrintX, PrintY, QStringLiteral("-"));
    };
    rule();
    PrintX = LeftMargin;
    PrintY -= lineHeight;
    m_canvas.setFont(TitleHeight, true);
    m_canvas.textOut(LeftMargin, PrintY, title);
    PrintY -= lineHeight;
    rule();
    m_canvas.setFont(BodyHeight, false);
}

void TReport::section(const QString &title)
{
    PrintSectionTitle(TitleDashStep, LineHeight, PageLength, title);
    PrintNewLine(1);
}

void TReport::text(int x, const QString &s)
{
    m_canvas.textOut(x, PrintY, s);
}

void TReport::bold(int x, const QString &s)
{
    m_canvas.setFont(BodyHeight, true);
    m_canvas.textOut(x, PrintY, s);
    m_canvas.setFont(BodyHeight, false);
}

void TReport::labelled(int labelX, int colonX, int valueX, const QString &label, const QString &value)
{
    text(labelX, label);
    text(colonX, QStringLiteral(":"));
    text(valueX, value);
}

// ---- sections ----

void TReport::projectValues()
{
    section(QStringLiteral("Project values  KRT-6"));
    const QString prefix = QString::fromUtf8("Prüfungsdatum:");
    QString checkDate = m_input.testDateLine;
    if (checkDate.startsWith(prefix))
        checkDate.remove(0, prefix.size());
    auto left = [this](const QString &l, const QString &v) { labelled(PrintX, 550, 593, l, v); };
    auto right = [this](const QString &l, const QString &v) { labelled(1100, 1397, 1439, l, v); };
    left(QStringLiteral("Check date"), checkDate);
    right(QStringLiteral("Current date"), currentDateTimeText(m_input.now));
    PrintNewLine(1);
    left(QStringLiteral("Serial No."), m_input.workNumber);
    right(QStringLiteral("Firmware"), m_input.firmware);
    PrintNewLine(1);
    left(QStringLiteral("Project name"), m_input.projectName);
    right(QStringLiteral("Configurator version"), m_input.programVersion);
    PrintNewLine(1);
    labelled(PrintX, 339, 381, QStringLiteral("Path"), m_input.path);
    PrintNewLine(3);
}

void TReport::logo()
{
    section(QStringLiteral("Logo"));
    labelled(PrintX, 550, 593, QStringLiteral("1.line"), ImageWordsToString(LogoLine1, LogoLine1 + 7));
    PrintNewLine(1);
    labelled(PrintX, 550, 593, QStringLiteral("2.line"), ImageWordsToString(LogoLine2, LogoLine2 + 7));
    PrintNewLine(3);
}

void TReport::batteryValues()
{
    section(QStringLiteral("Battery values"));
    auto left = [this](const QString &l, const QString &v) { labelled(PrintX + 42, 677, 720, l, v); };
    auto right = [this](const QString &l, const QString &v) { labelled(1140, 1590, 1610, l, v); };
    left(QStringLiteral("Battery count"), integer(69));
    PrintNewLine(1);
    left(QStringLiteral("Cell count"), integer(70));
    right(QStringLiteral("Tapping point (from -)"), integer(71));
    PrintNewLine(1);
    left(QStringLiteral("Nominal capacity 1"), integer(460) + QStringLiteral(" Ah"));
    right(QStringLiteral("Max. charging current 1"), tenths(90) + QStringLiteral(" A"));
    PrintNewLine(1);
    // Capacity n is word 463 + n: the lines stop at the end of the image.
    const int lastBattery = qMin(int(W(69)), ImageWordCount - 1 - 463);
    for (int n = 2; n <= lastBattery; ++n) {
        left(QStringLiteral("Nominal capacity ") + QString::number(n), integer(463 + n) + QStringLiteral(" Ah"));
        right(QStringLiteral("Max. charging current ") + QString::number(n), tenths(90 + n) + QStringLiteral(" A"));
        PrintNewLine(1);
    }
    left(QStringLiteral("Battery unsymmetry"), tenths(16) + QStringLiteral(" V"));
    labelled(823, 929, 950, QStringLiteral("Delay"), sec(543));
    right(QStringLiteral("Hysteresis"), integer(541) + QStringLiteral(" %"));
    PrintNewLine(1);
    left(QStringLiteral("Voltage rectifier down"), sec(95));
    right(QStringLiteral("Voltage rectifier up"), sec(94));
    PrintNewLine(1);
    bold(PrintX, QStringLiteral("Battery test"));
    PrintNewLine(1);
    left(QStringLiteral("Min. discharge voltage "), tenths(454) + QStringLiteral(" V"));
    PrintNewLine(1);
    left(QStringLiteral("Max. discharge capacity"), integer(461) + QStringLiteral(" %"));
    right(QStringLiteral("Max. test-duration"), MinutesToTimeText(462) + QStringLiteral("  (hh:mm)"));
    PrintNewLine(1);
    left(QStringLiteral("Manual test enable"), equalsOne(463));
    right(QStringLiteral("Boost charge after test enabled"), equalsOne(72));
    PrintNewLine(1);
    left(QStringLiteral("Start test on digit.input"), inputNumber(453));
    PrintNewLine(1);
    if (W(464) == 1) {
        left(QStringLiteral("Automatic test enable"), QStringLiteral("yes"));
        PrintNewLine(1);
        text(PrintX + 64, QStringLiteral("Test start at"));
        text(677, QStringLiteral(":"));
        text(720, QStringLiteral("Year : ") + QString::number(W(455) + 2000) + QStringLiteral("    Month : ") +
                      integer(456) + QStringLiteral("    Day : ") + integer(457) + QStringLiteral("       ") +
                      QStringLiteral("Hour : ") + integer(459) + QStringLiteral("   Minute : ") + integer(458));
        PrintNewLine(1);
        text(PrintX + 64, QStringLiteral("Repitition every"));
        text(677, QStringLiteral(":"));
        text(720, integer(467) + QStringLiteral(" day(s)"));
    } else {
        left(QStringLiteral("Automatic test enable"), QStringLiteral("no"));
    }
    PrintNewLine(1);
    bold(PrintX, QStringLiteral("Tk"));
    PrintNewLine(1);
    left(QStringLiteral("Tk"), QString::number(enc::toSignedInteger(W(40))) + QString::fromUtf8(" mV/(cell*°K)"));
    labelled(1083, 1233, 1253, QStringLiteral("Tk min"),
             generalNumber(enc::toSignedInteger(W(42)) / 10.0) + QString::fromUtf8(" °C"));
    labelled(1442, 1590, 1610, QStringLiteral("Tk max"), tenths(41) + QString::fromUtf8(" °C"));
    PrintNewLine(3);
}

void TReport::devices()
{
    section(QStringLiteral("Devices"));
    auto left = [this](const QString &l, const QString &v, int indent = 0) {
        labelled(PrintX + indent, 656, 698, l, v);
    };
    auto right = [this](const QString &l, const QString &v) { labelled(1100, 1460, 1490, l, v); };
    auto presence = [](int n) { return bit(n, 0, true); };
    left(QStringLiteral("Rec. count"), integer(81));
    right(QStringLiteral("Redundant Rec.count"), integer(87));
    PrintNewLine(1);
    left(QStringLiteral("Inv.count"), integer(82));
    right(QStringLiteral("Redundant Inv.count"), integer(88));
    PrintNewLine(1);
    left(QStringLiteral("Thyristor count"), integer(510));
    right(QStringLiteral("I/O-board"), presence(84));
    PrintNewLine(1);
    left(QStringLiteral("KRT-4"), presence(618));
    right(QStringLiteral("KRT-5"), presence(617));
    PrintNewLine(1);
    left(QStringLiteral("Mains monit KRT-3"), presence(85));
    right(QStringLiteral("STS"), presence(83));
    PrintNewLine(1);
    left(QStringLiteral("Temperature sensor1"), presence(474));
    right(QStringLiteral("Riso measure"), presence(475));
    PrintNewLine(1);
    right(QStringLiteral("Riso reference to"), enc::bitOf(W(477), 0) ? QStringLiteral(" Udc2") : QStringLiteral(" Udc1"));
    PrintNewLine(1);
    bold(PrintX, QStringLiteral("Rectifier"));
    PrintNewLine(1);
    left(QStringLiteral("Nominal voltage"), perCellPair(100), 42);
    right(QStringLiteral("Battery test voltage"), perCellPair(102));
    PrintNewLine(1);
    left(QStringLiteral("Boost charge voltage"), perCellPair(101), 42);
    right(QStringLiteral("Nominal current"), tenths(103) + QStringLiteral(" A"));
    PrintNewLine(1);
    bold(PrintX, QStringLiteral("Rec."));
    PrintNewLine(1);
    left(QStringLiteral("load limit"), integer(478) + QStringLiteral(" %"), 42);
    right(QStringLiteral("load limit delay"), sec(479));
    PrintNewLine(1);
    left(QStringLiteral("Load current difference"), integer(628) + QStringLiteral(" %"), 42);
    right(QStringLiteral("Current distribution delay"), sec(629));
    PrintNewLine(1);
    bold(PrintX, QStringLiteral("Thyristor"));
    PrintNewLine(1);
    left(QStringLiteral("Voltage 10V="), tenths(500) + QStringLiteral(" V"), 42);
    right(QStringLiteral("Current 10V="), tenths(501) + QStringLiteral(" A"));
    PrintNewLine(1);
    bold(PrintX, QStringLiteral("Inv."));
    PrintNewLine(1);
    left(QStringLiteral("Nominal voltage"), integer(110) + QStringLiteral(" V"), 42);
    PrintNewLine(3);
}

void TReport::thresholds()
{
    section(QStringLiteral("Thresholds"));
    struct Row
    {
        const char *label; // bold group label when value < 0
        int value;         // word; -1: a group label
        bool perCell;
        int delay, hysteresis; // -1: none
        int feed;
    };
    static const Row rows[] = {
        {"Vdc1", -1, false, -1, -1, 1},    {"Vmax", 2, true, 52, 13, 1},   {"Vwarn", 3, true, -1, -1, 1},
        {"Vmin", 1, true, 53, 10, 1},      {"Vdc2", -1, false, -1, -1, 1}, {"Vmax", 5, true, 52, 13, 1},
        {"Vmin", 4, true, 54, 11, 1},      {"Vdc3", -1, false, -1, -1, 1}, {"Vmax", 7, true, 52, 13, 1},
        {"Vmin", 6, true, 55, 12, 1},      {"Idc1-3", -1, false, -1, -1, 1}, {"Idc1max", 8, false, 57, 15, 1},
        {"Idc2max", 9, false, 57, 15, 1},  {"Idc3max", 14, false, 57, 15, 2},
    };
    auto delayAndHysteresis = [this](int delay, int hysteresis) {
        if (delay >= 0)
            labelled(889, 1016, 1058, QStringLiteral("Delay"), sec(delay));
        if (hysteresis >= 0)
            labelled(1397, 1566, 1609, QStringLiteral("Hysteresis"), integer(hysteresis) + QStringLiteral(" %"));
    };
    for (const Row &r : rows) {
        if (r.value < 0) {
            bold(PrintX, QLatin1String(r.label));
        } else {
            labelled(PrintX + 42, 423, 466, QLatin1String(r.label),
                     r.perCell ? perCellPair(r.value) : tenths(r.value) + QStringLiteral(" A"));
            delayAndHysteresis(r.delay, r.hysteresis);
        }
        PrintNewLine(r.feed);
    }
    const QString degrees = QString::fromUtf8(" °C");
    labelled(PrintX, 550, 593, QStringLiteral("Temperature high"), tenths(50) + degrees);
    delayAndHysteresis(469, 51);
    PrintNewLine(1);
    labelled(PrintX, 550, 593, QStringLiteral("Temperature low"),
             FloatToFixedText(enc::toSignedInteger(W(49)) / 10.0, 1) + degrees);
    PrintNewLine(1);
    labelled(PrintX, 550, 593, QStringLiteral("Battery operation"), tenths(91) + QStringLiteral(" A"));
    delayAndHysteresis(470, 540);
    PrintNewLine(1);
    labelled(PrintX, 550, 593, QStringLiteral("Riso error"), integer(476) + QStringLiteral(" KOhm"));
    delayAndHysteresis(56, 542);
    PrintNewLine(3);
}

void TReport::analogInputs()
{
    section(QStringLiteral("Analog inputs"));
    auto label8 = [](int word) { return GetImageText8(quint16(word)); };
    auto line = [this, &label8](std::initializer_list<std::pair<const char *, int>> values) {
        static const int columns[][3] = {{0, 423, 466}, {889, 1016, 1058}, {1397, 1566, 1609}};
        int c = 0;
        for (const auto &[label, word] : values) {
            const int labelX = c == 0 ? PrintX + 42 : columns[c][0];
            labelled(labelX, columns[c][1], columns[c][2], QLatin1String(label), label8(word));
            ++c;
        }
    };
    const int batteries = W(69);
    bold(PrintX, QStringLiteral("KRT-6"));
    PrintNewLine(1);
    line({{"1Vdc1", 281}, {"1Vdc2", 286}, {"1Vdc3", 291}});
    PrintNewLine(1);
    line({{"1Idc1", 301}, {"1Idc2", 306}, {"1Idc3", 311}});
    if (batteries >= 2) {
        PrintNewLine(2);
        bold(PrintX, QStringLiteral("BM1 Socket X1"));
        PrintNewLine(1);
        line({{"2Vdc1", 640}, {"2Vdc3", 650}});
        PrintNewLine(1);
        line({{"2Idc1", 655}});
    }
    if (batteries >= 3) {
        PrintNewLine(2);
        bold(PrintX, QStringLiteral("BM1 Socket X2"));
        PrintNewLine(1);
        line({{"3Vdc1", 670}, {"3Vdc3", 680}});
        PrintNewLine(1);
        line({{"3Idc1", 685}});
    }
    PrintNewLine(2);
    bold(PrintX, QStringLiteral("Shunt values"));
    PrintNewLine(1);
    text(PrintX + 42, QStringLiteral("KRT-6"));
    PrintNewLine(1);
    auto amperes = [](int n) { return integer(n) + QStringLiteral(" A"); };
    labelled(PrintX + 84, 445, 487, QStringLiteral("1Idc1"), amperes(20));
    labelled(741, 826, 847, QStringLiteral("1Idc2"), amperes(21));
    labelled(1100, 1185, 1207, QStringLiteral("1Idc3"), amperes(22));
    if (batteries >= 2) {
        PrintNewLine(1);
        text(PrintX + 42, QStringLiteral("BM1 Socket X1"));
        PrintNewLine(1);
        labelled(PrintX + 84, 445, 487, QStringLiteral("2Idc1"), amperes(23));
    }
    if (batteries >= 3) {
        PrintNewLine(1);
        text(PrintX + 42, QStringLiteral("BM1 Socket X2"));
        PrintNewLine(1);
        labelled(PrintX + 84, 445, 487, QStringLiteral("3Idc1"), amperes(26));
    }
    PrintNewLine(3);
}

void TReport::digitalInputs()
{
    section(QStringLiteral("Digital inputs"));
    auto block = [this](const QString &title, int firstName, int contactWord, int firstDelay) {
        bold(PrintX, title);
        PrintNewLine(1);
        m_canvas.setFont(BodyHeight, true);
        text(PrintX + 42, QStringLiteral("Input"));
        text(480, QStringLiteral("Text"));
        text(847, QStringLiteral("Contact type"));
        text(1143, QStringLiteral("Delay"));
        m_canvas.setFont(BodyHeight, false);
        PrintNewLine(1);
        for (int n = 1; n <= 8; ++n) {
            text(PrintX + 42, QStringLiteral("Input ") + QString::number(n));
            text(480, GetImageText16(quint16(firstName + 8 * (n - 1))));
            text(847, contactType(contactWord, n - 1));
            text(1143, sec(firstDelay + n - 1));
            if (n < 8)
                PrintNewLine(1);
        }
    };
    block(QStringLiteral("KRT-6 Digital inputs"), 321, 473, 562);
    if (enc::bitOf(W(617), 0) || enc::bitOf(W(84), 0)) {
        PrintNewLine(2);
        block(QStringLiteral("I/O or MELO8 Inputs"), 385, 619, 620);
    }
    PrintNewLine(3);
}

void TReport::outputs()
{
    section(QStringLiteral("Outputs"));
    auto heads = [this](const QString &title) {
        bold(PrintX, title);
        PrintNewLine(1);
        m_canvas.setFont(BodyHeight, true);
        text(635, QStringLiteral("Delay"));
        text(1016, QStringLiteral("Contact type"));
        m_canvas.setFont(BodyHeight, false);
        PrintNewLine(1);
    };
    auto output = [this](const QString &label, int delayWord, int contactBit) {
        text(PrintX + 42, label);
        text(635, sec(delayWord));
        if (contactBit >= 0)
            text(1016, contactType(472, contactBit));
    };
    heads(QStringLiteral("KRT-6"));
    struct Out
    {
        const char *label;
        int word, bit;
    };
    static const Out unit[] = {{"Alarm A", 122, 0}, {"Alarm B", 123, 1}, {"LED S1", 120, -1},
                               {"LED S2", 121, -1}, {"Relay K1", 124, 2}, {"Relay K2", 125, 3}};
    for (const Out &o : unit) {
        output(QLatin1String(o.label), o.word, o.bit);
        PrintNewLine(&o == &unit[5] ? 2 : 1);
    }
    const bool ioBoard = enc::bitOf(W(84), 0);
    if (ioBoard || enc::bitOf(W(618), 0)) {
        heads(QStringLiteral("I/O-Board or TK6"));
        const int last = ioBoard ? 18 : 16;
        for (int k = 11; k <= last; ++k) {
            output(QStringLiteral("Relay K") + QString::number(k), 126 + k - 11, 4 + k - 11);
            PrintNewLine(1);
        }
    }
    PrintNewLine(2);
}

void TReport::boostCharge()
{
    section(QStringLiteral("Boost charge"));
    m_canvas.setFont(BodyHeight, false);
    auto left = [this](const QString &l, const QString &v) { labelled(PrintX, 741, 783, l, v); };
    auto right = [this](const QString &l, const QString &v) { labelled(1080, 1482, 1524, l, v); };
    auto minutes = [](int n) { return QString::number(W(n) / 60) + QStringLiteral(" min."); };
    auto wholeAmperes = [](int n) { return QString::number(W(n) / 10) + QStringLiteral(" A"); };
    left(QStringLiteral("Manuel Boost charge"), bit(534, 0));
    PrintNewLine(1);
    left(QStringLiteral("Automat. boost charge"), bit(539, 0));
    PrintNewLine(1);
    left(QStringLiteral("Aut. boost charge starts below"), tenths(535) + QStringLiteral(" V"));
    right(QStringLiteral("or Ibatt (Idc1) >"), wholeAmperes(502));
    PrintNewLine(1);
    left(QStringLiteral("after a delay of"), sec(532));
    PrintNewLine(1);
    left(QStringLiteral("follow-up charge starts above"), tenths(538) + QStringLiteral(" V"));
    right(QStringLiteral("or Ibatt (Idc1) <"), wholeAmperes(503));
    PrintNewLine(1);
    left(QStringLiteral("after a delay of"), sec(533));
    PrintNewLine(1);
    left(QStringLiteral("follow-up charge duration"), minutes(536));
    PrintNewLine(1);
    left(QStringLiteral("Battery operation / mains fault"), minutes(537));
    PrintNewLine(1);
    left(QStringLiteral("Boost charge inhibit"), inputNumber(531));
    right(QStringLiteral("Boost charge max. time"), integer(529) + QStringLiteral(" h"));
    PrintNewLine(1);
    left(QStringLiteral("Boost charge start on dig.inp."), inputNumber(530));
    PrintNewLine(1);
    left(QStringLiteral("Fan delay"), minutes(471));
    PrintNewLine(2);
}

void TReport::manualCharge()
{
    section(QStringLiteral("Manual charge"));
    auto left = [this](const QString &l, const QString &v) { labelled(PrintX, 741, 783, l, v); };
    auto right = [this](const QString &l, const QString &v) { labelled(1058, 1482, 1524, l, v); };
    left(QStringLiteral("Activation enabled"), bit(551, 0));
    right(QStringLiteral("Over voltage alarm enabled"), bit(558, 0));
    PrintNewLine(1);
    left(QStringLiteral("Alarm delay after manual charge"), sec(554));
    right(QStringLiteral("Vmax"), perCellPair(556));
    PrintNewLine(1);
    left(QStringLiteral("Max. charging current"), tenths(557) + QStringLiteral(" A"));
    right(QStringLiteral("Emerg. switch off : Vmax +"), tenths(553) + QStringLiteral(" V"));
    PrintNewLine(2);
}

void TReport::systemTest()
{
    section(QStringLiteral("System test"));
    auto left = [this](const QString &l, const QString &v) { labelled(PrintX, 699, 741, l, v); };
    auto right = [this](const QString &l, const QString &v) { labelled(1058, 1482, 1524, l, v); };
    left(QStringLiteral("Activation enabled"), bit(571, 0));
    right(QStringLiteral("Over voltage alarm enabled"), bit(578, 0));
    PrintNewLine(1);
    left(QStringLiteral("Alarm delay after system test"), sec(574));
    right(QStringLiteral("Vmin"), perCellPair(575));
    PrintNewLine(1);
    left(QStringLiteral("Max. charging current"), tenths(577) + QStringLiteral(" A"));
    right(QStringLiteral("Vmax"), perCellPair(576));
    PrintNewLine(3);
}

void TReport::counterCells()
{
    section(QStringLiteral("Counter cells"));
    text(699, QStringLiteral("on"));
    text(847, QStringLiteral("off"));
    PrintNewLine(1);
    for (int cell = 1; cell <= 2; ++cell) {
        const int on = 545 + 2 * (cell - 1);
        labelled(PrintX, 656, 699, QStringLiteral("Counter cell ") + QString::number(cell),
                 tenths(on) + QStringLiteral(" V"));
        text(847, tenths(on + 1) + QStringLiteral(" V"));
        PrintNewLine(1);
    }
    const quint16 reference = W(549);
    labelled(PrintX, 656, 699, QStringLiteral("Voltage reference"),
             reference >= 1 && reference <= 3 ? QStringLiteral("Vdc") + QString::number(reference) : QString());
    PrintNewLine(3);
}

void TReport::mainsMonitor()
{
    section(QStringLiteral("KRT-3"));
    auto first = [this](const QString &l, const QString &v) { labelled(PrintX + 42, 360, 402, l, v); };
    auto second = [this](const QString &l, const QString &v) { labelled(593, 656, 699, l, v); };
    auto third = [this](const QString &l, const QString &v) { labelled(868, 974, 1016, l, v); };
    bold(PrintX, QStringLiteral("Monitoring"));
    PrintNewLine(1);
    first(QStringLiteral("L1"), bit(60, 2));
    second(QStringLiteral("L2"), bit(60, 1));
    third(QStringLiteral("L3"), bit(60, 0));
    PrintNewLine(1);
    first(QStringLiteral("V>"), integer(59) + QStringLiteral(" %"));
    second(QStringLiteral("V<"), integer(58) + QStringLiteral(" %"));
    third(QStringLiteral("Delay"), sec(468));
    PrintNewLine(1);
    bold(PrintX, QStringLiteral("Display"));
    PrintNewLine(1);
    first(QStringLiteral("V"), bit(61, 0));
    second(QStringLiteral("I"), bit(62, 0));
    PrintNewLine(3);
}

void TReport::language()
{
    section(QStringLiteral("Language"));
    QString name;
    switch (W(LanguageIndex)) {
    case 0:
        name = QStringLiteral("English");
        break;
    case 1:
        name = QStringLiteral("German");
        break;
    case 2:
        name = CustomerLanguageName(W(CustomLanguage));
        break;
    default:
        break;
    }
    labelled(PrintX, 656, 699, QStringLiteral("KRT-6 active language"), name);
    PrintNewLine(3);
}

void TReport::signalConfiguration()
{
    PrintSectionTitle(TitleDashStep, LineHeight, PageLength, QStringLiteral("Signal configuration"));
    BuildSignalTexts();
    const bool relayBoard = enc::bitOf(W(618), 0);
    const bool ioBoard = enc::bitOf(W(84), 0);
    for (int r = 0; r < 16; ++r) {
        if (r >= 8 && !relayBoard && !ioBoard)
            continue;
        if (r >= 14 && relayBoard)
            continue;
        const SignalRow words = CopySignalRow(G.ParamImage, r);
        if (!words[0] && !words[1] && !words[2] && !words[3])
            continue;
        PrintNewLine(2);
        text(PrintX, r < m_input.rowCaptions.size() ? m_input.rowCaptions.at(r) : QString());
        text(508, QStringLiteral(":"));
        int k = 0;
        for (int c = 0; c < 64; ++c) {
            if (!SignalAssigned(G.ParamImage, r, c))
                continue;
            text(550 + 275 * k, fromWin1252(SignalText(4 + c)));
            if (++k == 5) {
                PrintNewLine(1);
                k = 0;
            }
        }
    }
    PrintNewLine(3);
}

void TReport::memo()
{
    section(QStringLiteral("Memo"));
    for (const QString &line : m_input.memoLines) {
        if (line.isEmpty())
            continue;
        text(PrintX, line);
        PrintNewLine(1);
    }
}

#pragma once
// The printed report of a project: a page header on every page, sixteen sections between
// dashed rules, labelled values from the parameter image (G.ParamImage) and from the
// input record below, laid out in 0.1 mm on a TReportCanvas.

#include <QDateTime>
#include <QString>
#include <QStringList>

class TReportCanvas;

// What the report takes from outside the image: the project head fields of page 1, the
// test date line, the program version, the memo lines, the captions of the sixteen
// output rows of the signal configuration page and the time of printing. The signal
// names come from G.SignalTextTable, which the report rebuilds from the image.
struct TReportInput
{
    QString workNumber;
    QString projectName;
    QString firmware;
    QString path;
    QString testDateLine;
    QString programVersion;
    QStringList memoLines;
    QStringList rowCaptions;
    QDateTime now;
};

class TReport
{
public:
    static constexpr int PageLength = 2970;
    static constexpr int LineHeight = 42;
    static constexpr int LeftMargin = 254;
    static constexpr int TitleDashStep = 17;

    TReport(TReportCanvas &canvas, const TReportInput &input);

    // Prints the whole report as one job. False when the job could not start or failed
    // part way (the job is then aborted); the canvas's errorText() says why.
    bool run();

    // The print cursor.
    int PrintX = LeftMargin;
    int PrintY = 0;
    quint16 PrintPageNo = 1;

    // Optionally starts a new page; prints the header; the cursor goes to the first body line.
    void PrintPageHeader(bool newPage);
    // Advances the cursor by `lines` line heights, or breaks the page (the advance is
    // then not made).
    void PrintNewLine(int lines, int pageLength = PageLength);
    // A title between two dashed rules, on a new page when too little room is left.
    void PrintSectionTitle(int dashStep, int lineHeight, int pageLength, const QString &title);

private:
    void text(int x, const QString &s);
    void bold(int x, const QString &s);
    void labelled(int labelX, int colonX, int valueX, const QString &label, const QString &value);
    void section(const QString &title);

    void projectValues();
    void logo();
    void batteryValues();
    void devices();
    void thresholds();
    void analogInputs();
    void digitalInputs();
    void outputs();
    void boostCharge();
    void manualCharge();
    void systemTest();
    void counterCells();
    void mainsMonitor();
    void language();
    void signalConfiguration();
    void memo();

    TReportCanvas &m_canvas;
    const TReportInput &m_input;
};

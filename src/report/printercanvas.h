#pragma once
// The report on a QPrinter (a real printer or a PDF file): 0.1 mm units mapped to the
// device, y flipped, each text placed by its top-left corner, "Arial" at the cell
// height asked for.

#include "canvas.h"

#include <QFont>
#include <QPainter>

class QPrinter;

class TPrinterCanvas : public TReportCanvas
{
public:
    explicit TPrinterCanvas(QPrinter *printer);
    ~TPrinterCanvas() override;

    bool beginDoc() override;
    bool endDoc() override;
    void abortDoc() override;
    bool newPage() override;
    void setFont(int height, bool bold) override;
    void textOut(int x, int y, const QString &text) override;
    QString errorText() const override { return m_error; }

private:
    bool failed(const QString &text);

    QPrinter *m_printer;
    QPainter m_painter;
    double m_scale = 1; // device pixels per 0.1 mm
    QFont m_font;
    QString m_error;
};

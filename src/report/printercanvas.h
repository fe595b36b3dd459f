#pragma once
// The report on a paged device (a QPrinter, or a QPdfWriter for a PDF): 0.1 mm units
// mapped to the device, y flipped, each text placed by its top-left corner, "Arial" at
// the cell height asked for.

#include "canvas.h"

#include <QFont>
#include <QPainter>

class QPagedPaintDevice;
class QPrinter;

class TPrinterCanvas : public TReportCanvas
{
public:
    explicit TPrinterCanvas(QPagedPaintDevice *device);
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

    QPagedPaintDevice *m_device;
    QPrinter *m_printer; // m_device when it is a printer, else null
    QPainter m_painter;
    double m_scale = 1; // device pixels per 0.1 mm
    QFont m_font;
    QString m_error;
};

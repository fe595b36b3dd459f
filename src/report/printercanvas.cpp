#include "printercanvas.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPrinter>

TPrinterCanvas::TPrinterCanvas(QPagedPaintDevice *device)
    : m_device(device), m_printer(dynamic_cast<QPrinter *>(device))
{
    m_font.setFamily(QStringLiteral("Arial"));
}

TPrinterCanvas::~TPrinterCanvas()
{
    if (m_painter.isActive())
        abortDoc();
}

bool TPrinterCanvas::failed(const QString &text)
{
    if (m_error.isEmpty())
        m_error = text;
    return false;
}

bool TPrinterCanvas::beginDoc()
{
    m_error.clear();
    if (!m_device || (m_printer && !m_printer->isValid()))
        return failed(QStringLiteral("No printer is installed."));
    if (!m_painter.begin(m_device))
        return failed(QStringLiteral("The print job cannot start."));
    m_scale = m_device->logicalDpiY() / 254.0;
    // A blank in the device's own units, as the job's first mark.
    m_painter.drawText(QPointF(0, 0), QStringLiteral(" "));
    return true;
}

bool TPrinterCanvas::endDoc()
{
    if (!m_painter.isActive())
        return failed(QStringLiteral("The print job is not running."));
    const bool ok = m_painter.end() && !(m_printer && m_printer->printerState() == QPrinter::Error);
    return ok || failed(QStringLiteral("The print job failed."));
}

void TPrinterCanvas::abortDoc()
{
    if (m_printer)
        m_printer->abort();
    if (m_painter.isActive())
        m_painter.end();
}

bool TPrinterCanvas::newPage()
{
    if (!m_painter.isActive() || !m_device->newPage() ||
        (m_printer && m_printer->printerState() == QPrinter::Error))
        return failed(QStringLiteral("The printer could not start a new page."));
    return true;
}

void TPrinterCanvas::setFont(int height, bool bold)
{
    // The height is the cell height (ascent plus descent), as the report's layout counts it.
    const double cell = height * m_scale;
    m_font.setBold(bold);
    m_font.setPixelSize(qMax(1, qRound(cell)));
    if (m_painter.isActive()) {
        const double measured = QFontMetricsF(m_font, m_device).height();
        if (measured > 0)
            m_font.setPixelSize(qMax(1, qRound(cell * cell / measured)));
        m_painter.setFont(m_font);
    }
}

void TPrinterCanvas::textOut(int x, int y, const QString &text)
{
    if (!m_painter.isActive())
        return;
    const QFontMetricsF metrics(m_painter.font(), m_device);
    m_painter.drawText(QPointF(x * m_scale, -y * m_scale + metrics.ascent()), text);
}

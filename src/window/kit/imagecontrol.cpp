#include "imagecontrol.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

TImage::TImage(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImage::clear()
{
    if (m_picture.size() != size())
        m_picture = QImage(size(), QImage::Format_RGB32);
    m_picture.fill(Qt::white);
    update();
}

void TImage::fillRect(const QRect &rect, QRgb colour)
{
    const QRect r = rect.intersected(m_picture.rect());
    if (r.isEmpty())
        return;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(m_picture.scanLine(y));
        std::fill(line + r.left(), line + r.right() + 1, colour);
    }
    update(r);
}

void TImage::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    // Beyond the picture (none yet, or the widget grown) the parent's colour shows.
    p.fillRect(event->rect(), palette().window());
    if (!m_picture.isNull())
        p.drawImage(event->rect().topLeft(), m_picture, event->rect());
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->buttons(), event->modifiers(), event->position().toPoint());
}

void TImage::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(event->buttons(), event->modifiers(), event->position().toPoint());
}

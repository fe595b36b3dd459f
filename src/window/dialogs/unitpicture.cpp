#include "unitpicture.h"

#include <QPainter>

QPixmap unitPicture(int width)
{
    width = qMax(width, 16);
    const qreal w = width;
    const qreal h = w * 3 / 4;
    QPixmap pm(width, int(h));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    // Housing.
    p.setPen(QPen(QColor(60, 60, 60), w / 48));
    p.setBrush(QColor(200, 204, 210));
    p.drawRoundedRect(QRectF(w * 0.03, h * 0.04, w * 0.94, h * 0.92), w * 0.05, w * 0.05);

    // LCD with two lines of dots.
    const QRectF lcd(w * 0.12, h * 0.16, w * 0.76, h * 0.36);
    p.setPen(QPen(QColor(40, 60, 30), w / 64));
    p.setBrush(QColor(150, 190, 60));
    p.drawRect(lcd);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 50, 20));
    const int columns = 12;
    const qreal cell = lcd.width() / (columns + 1);
    for (int row = 0; row < 2; ++row) {
        for (int c = 0; c < columns; ++c) {
            if ((row == 1 && c >= 8) || (row == 0 && c == 5))
                continue; // a gap, so it reads as text
            const qreal x = lcd.left() + cell * (c + 0.6);
            const qreal y = lcd.top() + lcd.height() * (row == 0 ? 0.22 : 0.58);
            p.drawRect(QRectF(x, y, cell * 0.7, lcd.height() * 0.24));
        }
    }

    // LEDs: operation, warning, alarm.
    const QColor leds[] = {QColor(40, 190, 60), QColor(240, 190, 30), QColor(220, 40, 30)};
    const qreal d = w * 0.09;
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(QColor(50, 50, 50), w / 96));
        p.setBrush(leds[i]);
        p.drawEllipse(QRectF(w * 0.18 + i * w * 0.14, h * 0.66, d, d));
    }
    // Keys.
    p.setBrush(QColor(120, 124, 130));
    for (int i = 0; i < 2; ++i)
        p.drawRoundedRect(QRectF(w * 0.64 + i * w * 0.12, h * 0.65, w * 0.09, d * 1.1), w / 64, w / 64);
    return pm;
}

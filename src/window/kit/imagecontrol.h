#pragma once
// A picture of fixed size that its owner paints on pixel by pixel, shown 1:1 from the
// top-left corner. Mouse presses and moves are reported with the widget's coordinates;
// moves are reported with or without a button held (the mouse is tracked).

#include <QImage>
#include <QWidget>

class TImage : public QWidget
{
    Q_OBJECT
public:
    explicit TImage(QWidget *parent = nullptr);

    const QImage &picture() const { return m_picture; }
    // A blank white picture of the widget's size.
    void clear();
    // Fills the rectangle (clipped to the picture) with one colour, without blending.
    void fillRect(const QRect &rect, QRgb colour);

    QSize sizeHint() const override { return size(); }

signals:
    // A button was pressed (each press of a double click too). `buttons` holds every
    // button down at that moment, the pressed one included.
    void mouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
};

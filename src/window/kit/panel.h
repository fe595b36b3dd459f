#pragma once
// A sunken status panel showing one line of text; a click on it emits clicked().

#include <QLabel>

class TPanel : public QLabel
{
    Q_OBJECT
public:
    explicit TPanel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

#pragma once
// A canvas that records every text with its page, position, font height and style.

#include "canvas.h"

#include <QList>

struct TPrintedText
{
    int page = 1;
    int x = 0;
    int y = 0;
    int height = 0;
    bool bold = false;
    QString text;
    bool operator==(const TPrintedText &) const = default;
};

class TRecordingCanvas : public TReportCanvas
{
public:
    bool beginDoc() override;
    bool endDoc() override;
    void abortDoc() override { m_open = false; }
    bool newPage() override;
    void setFont(int height, bool bold) override;
    void textOut(int x, int y, const QString &text) override;
    QString errorText() const override { return QString(); }

    const QList<TPrintedText> &texts() const { return m_texts; }
    int pageCount() const { return m_page; }
    bool finished() const { return m_finished; }

private:
    QList<TPrintedText> m_texts;
    int m_page = 0;
    int m_height = 0;
    bool m_bold = false;
    bool m_open = false;
    bool m_finished = false;
};

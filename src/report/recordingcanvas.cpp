#include "recordingcanvas.h"

bool TRecordingCanvas::beginDoc()
{
    m_texts.clear();
    m_page = 1;
    m_open = true;
    m_finished = false;
    return true;
}

bool TRecordingCanvas::endDoc()
{
    m_open = false;
    m_finished = true;
    return true;
}

bool TRecordingCanvas::newPage()
{
    ++m_page;
    return true;
}

void TRecordingCanvas::setFont(int height, bool bold)
{
    m_height = height;
    m_bold = bold;
}

void TRecordingCanvas::textOut(int x, int y, const QString &text)
{
    if (m_open)
        m_texts.append({m_page, x, y, m_height, m_bold, text});
}

#pragma once
// What the report needs of a printer: a job with pages, a font height and style, and
// text put at a point. Positions are in 0.1 mm with y growing upwards from the top edge
// of the printable area (every print position has y <= 0); a text is placed with its
// top-left corner at the point.

#include <QString>

class TReportCanvas
{
public:
    virtual ~TReportCanvas() = default;

    // Starts the job; false (with errorText()) when it cannot start.
    virtual bool beginDoc() = 0;
    // Ends the job; false when it failed.
    virtual bool endDoc() = 0;
    // Drops the job after a failure.
    virtual void abortDoc() = 0;
    virtual bool newPage() = 0;
    // Font height in 0.1 mm (the cell height), bold or regular. The face is "Arial".
    virtual void setFont(int height, bool bold) = 0;
    virtual void textOut(int x, int y, const QString &text) = 0;
    // Why the last call failed; empty while all went well.
    virtual QString errorText() const = 0;
};

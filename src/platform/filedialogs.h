#pragma once
// File open and save dialogs over QFileDialog, behind a seam tests script.
//
// Filters are given in the form "description|pattern;pattern|description|pattern"
// and translated to Qt's "description (pattern pattern);;...", a bracketed group at the
// end of a description taking the real patterns. A cancelled dialog
// returns an empty string.

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

class FileDialogs
{
public:
    enum Kind { Open, Save };
    struct Request
    {
        Kind kind = Open;
        QString caption;
        QString filter; // as given
        QString initialName;
        QString defaultSuffix;
    };

    static QString getOpenFileName(QWidget *parent, const QString &caption, const QString &filter,
                                   const QString &initialName = QString());
    // defaultSuffix without the dot; it is added to a chosen name that has no suffix.
    static QString getSaveFileName(QWidget *parent, const QString &caption, const QString &filter,
                                   const QString &initialName = QString(),
                                   const QString &defaultSuffix = QString());

    static QString toQtFilter(const QString &filter);

    // Scripted answers instead of real dialogs, in order; an empty answer is a cancel,
    // and so is every dialog after the script ran out. Each dialog asked is recorded.
    static void setScript(const QStringList &answers);
    static void endScript();
    static bool scripted();
    static const QList<Request> &requests();
    static void clearRequests();

private:
    static QString run(QWidget *parent, const Request &request);
};

#include "filedialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>

namespace {
struct Script
{
    bool active = false;
    QStringList answers;
    QList<FileDialogs::Request> requests;
};

Script &script()
{
    static Script s;
    return s;
}

QString withSuffix(const QString &name, const QString &suffix)
{
    if (name.isEmpty() || suffix.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return name;
    return name + QLatin1Char('.') + suffix;
}
} // namespace

QString FileDialogs::toQtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &p : patterns)
            p = p.trimmed();
        const QString patternText = patterns.join(QLatin1Char(' '));
        if (patternText.isEmpty())
            continue;
        // Qt shows the description and takes its last bracketed group as the patterns: a
        // bracketed group the description ends with is replaced by the real patterns, so
        // that each filter names its patterns once and the ones it uses.
        const QString bracketed = QLatin1Char('(') + patternText + QLatin1Char(')');
        if (description.endsWith(QLatin1Char(')')) && description.contains(QLatin1Char('(')))
            description.truncate(description.lastIndexOf(QLatin1Char('(')));
        else if (!description.isEmpty())
            description += QLatin1Char(' ');
        out << description + bracketed;
    }
    return out.join(QStringLiteral(";;"));
}

QString FileDialogs::getOpenFileName(QWidget *parent, const QString &caption, const QString &filter,
                                     const QString &initialName)
{
    return run(parent, Request{Open, caption, filter, initialName, QString()});
}

QString FileDialogs::getSaveFileName(QWidget *parent, const QString &caption, const QString &filter,
                                     const QString &initialName, const QString &defaultSuffix)
{
    return run(parent, Request{Save, caption, filter, initialName, defaultSuffix});
}

QString FileDialogs::run(QWidget *parent, const Request &request)
{
    Script &s = script();
    if (s.active) {
        s.requests.append(request);
        const QString answer = s.answers.isEmpty() ? QString() : s.answers.takeFirst();
        return request.kind == Save ? withSuffix(answer, request.defaultSuffix) : answer;
    }

    QPointer<QFileDialog> dialog = new QFileDialog(parent, request.caption);
    dialog->setNameFilter(toQtFilter(request.filter));
    dialog->setAcceptMode(request.kind == Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(request.kind == Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (request.kind == Save) {
        dialog->setDefaultSuffix(request.defaultSuffix);
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    }
    // A wildcard name such as "*.zf1" only repeats the filter; it is not a name.
    const QString initial = request.initialName;
    if (!initial.isEmpty() && !initial.contains(QLatin1Char('*')) && !initial.contains(QLatin1Char('?'))) {
        const QFileInfo info(initial);
        if (info.isAbsolute() || initial.contains(QLatin1Char('/')))
            dialog->setDirectory(info.absolutePath());
        dialog->selectFile(info.fileName());
    }
    const int result = dialog->exec();
    if (!dialog)
        return QString();
    QString chosen;
    if (result == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
        chosen = dialog->selectedFiles().constFirst();
    delete dialog;
    return chosen;
}

void FileDialogs::setScript(const QStringList &answers)
{
    script().active = true;
    script().answers = answers;
}

void FileDialogs::endScript()
{
    script().active = false;
    script().answers.clear();
}

bool FileDialogs::scripted()
{
    return script().active;
}

const QList<FileDialogs::Request> &FileDialogs::requests()
{
    return script().requests;
}

void FileDialogs::clearRequests()
{
    script().requests.clear();
}

#pragma once
// The presenter of showMessage() over QMessageBox.

#include "messages.h"

#include <QString>

class QMessageBox;
class QWidget;

// Installs the QMessageBox presenter for showMessage(); returns the previous presenter.
MessagePresenter installMessageBoxPresenter();

// Builds the box for a request: icon by kind, the requested buttons, the caption (the
// application's name when the request has none). A Help button, and F1 while the box
// has a help context, request the help context of the request and leave the box open. Used by the presenter;
// exposed for tests.
QMessageBox *createMessageBox(const MessageRequest &request, QWidget *parent = nullptr);

// A message text as a box shows it: a pair of CR and LF in either order, or either one
// alone, is one line break.
QString displayedText(const QString &text);

// The button a finished box stands for (MbCancel when it was closed without one).
int messageBoxResult(const QMessageBox &box);

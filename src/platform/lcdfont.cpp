#include "lcdfont.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QLineEdit>
#include <QStringList>

namespace {

const char *const FontResource = ":/fonts/lcd_kyr.ttf";
const char *const FontFamily = "LCD Kyr";

// The edits that take the LCD face: QLineEdits without an input mask that are controls
// of their own, not the text part of a spin box or combo box.
bool isPlainEdit(const QLineEdit *edit)
{
    if (edit->inherits("TMaskEdit") || !edit->inputMask().isEmpty())
        return false;
    const QObject *parent = edit->parent();
    return !qobject_cast<const QAbstractSpinBox *>(parent) && !qobject_cast<const QComboBox *>(parent);
}

void setFace(QWidget *widget, const QString &family)
{
    QFont font = widget->font();
    font.setFamilies({family});
    widget->setFont(font);
}

} // namespace

QString registerLcdFont()
{
    // Loaded once: a second registration would add a second copy of the same face.
    static const QString family = []() -> QString {
        QFile file(QString::fromLatin1(FontResource));
        if (!file.open(QIODevice::ReadOnly))
            return QString();
        const int id = QFontDatabase::addApplicationFontFromData(file.readAll());
        if (id < 0)
            return QString();
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.contains(QString::fromLatin1(FontFamily))) {
            QFontDatabase::removeApplicationFont(id);
            return QString();
        }
        return QString::fromLatin1(FontFamily);
    }();
    return family;
}

QFont lcdFont(int pointSize)
{
    registerLcdFont();
    QFont font(QString::fromLatin1(FontFamily));
    if (pointSize > 0)
        font.setPointSize(pointSize);
    return font;
}

bool setLcdFace(QWidget *widget)
{
    const QString family = registerLcdFont();
    if (family.isEmpty() || !widget)
        return false;
    setFace(widget, family);
    return true;
}

bool applyLcdFont(QWidget *root)
{
    const QString family = registerLcdFont();
    if (family.isEmpty() || !root)
        return false;
    QList<QLineEdit *> edits = root->findChildren<QLineEdit *>();
    if (auto *self = qobject_cast<QLineEdit *>(root))
        edits.prepend(self);
    for (QLineEdit *edit : std::as_const(edits)) {
        if (isPlainEdit(edit))
            setFace(edit, family);
    }
    return true;
}

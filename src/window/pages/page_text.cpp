#include "page_text.h"

#include "ui_page_text.h"

#include "controls.h"
#include "dispatch.h"
#include "entrylimit.h"
#include "globals.h"
#include "imagetexts.h"
#include "keyfilters.h"
#include "lcdfont.h"
#include "lcdpopup.h"
#include "mainwindow.h"
#include "projectfile.h"
#include "textcodec.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QValidator>

namespace {
constexpr int LogoLength = 16;
constexpr quint16 LogoLastWord1 = LogoLine1 + 7;
constexpr quint16 LogoLastWord2 = LogoLine2 + 7;

// Typed text becomes upper case; text set by code stays as it is.
class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

// Output rows 2..7 of the signal configuration page: panel, caption with and without
// the DIN-rail version.
struct DinRowCaption
{
    const char *panel;
    const char *din;
    const char *standard;
};
constexpr DinRowCaption DinRowCaptions[] = {
    {"Panel_zl3", "LED S1 INFO", "LED S1"},   {"Panel_zl4", "LED S2 ALARM", "LED S2"},
    {"Panel_zl5", "Alarm A (K1)", "Alarm A"}, {"Panel_zl6", "Alarm B (K2)", "Alarm B"},
    {"Panel_zl7", "Relay K3", "Relay K1"},    {"Panel_zl8", "Relay K4", "Relay K2"},
};
} // namespace

TTextPage::TTextPage(TfrmMain *main, QWidget *sheet) : TPage(main, 1, sheet), ui(new Ui::TTextPageForm)
{
    ui->setupUi(sheet);
    ui->Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ui->ed_mprjname->setValidator(new UpperCaseValidator(ui->ed_mprjname));
    installKeyPressFilter(ui->ed_logo1, ed_TextKeyPress);
    installKeyPressFilter(ui->ed_logo2, ed_TextKeyPress);
    installLcdPopup(ui->ed_logo1);
    installLcdPopup(ui->ed_logo2);
    applyLcdFont(sheet);
    // The voltage label and the DIN-rail box appear with the first fill; their room is
    // kept meanwhile, so that the project fields below do not move.
    // The memo and its label keep theirs while Open hides them, so that nothing else
    // spreads into the gap while a message shows.
    for (QWidget *hidden : {static_cast<QWidget *>(ui->Label260), static_cast<QWidget *>(ui->lb_NomVRang),
                            static_cast<QWidget *>(ui->Label4), static_cast<QWidget *>(ui->cb_din),
                            static_cast<QWidget *>(ui->Memo1), static_cast<QWidget *>(ui->Label35)}) {
        QSizePolicy policy = hidden->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        hidden->setSizePolicy(policy);
    }

    connect(ui->ed_logo1, &QLineEdit::textChanged, this,
            [this] { runGuarded([this] { ed_logo1Change(); }); });
    connect(ui->ed_logo2, &QLineEdit::textChanged, this,
            [this] { runGuarded([this] { ed_logo2Change(); }); });
    connectExit(ui->ed_logo1, this, [this] { ed_logo1Exit(); });
    connectExit(ui->ed_logo2, this, [this] { ed_logo2Exit(); });
    connect(ui->rg_language, &TRadioGroup::groupClicked, this,
            [this] { runGuarded([this] { rg_languageClick(); }); });
    connectExit(ui->rg_language, this, [this] { rg_languageClick(); });
    connect(ui->cb_din, &QCheckBox::toggled, this, [this] { runGuarded([this] { cb_dinClick(); }); });
    // Tab moves on, as in every other field; a typed memo is a change of the project text.
    ui->Memo1->setTabChangesFocus(true);
    // The memo shows what the project file keeps of it.
    ui->Memo1->setStoredLimit(MemoMaxLength);
    connect(ui->Memo1, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_settingMemo && TfrmMain::PagesOpen())
            G.ProjectTextModified = true;
    });
    for (Head field : {Head::WorkNumber, Head::ProjectName, Head::Firmware, Head::Path})
        limitEntry(headEdit(field));

    if (main) {
        connect(ui->ed_mprjname, &QLineEdit::textChanged, main,
                [main] { runGuarded([main] { main->ed_mprjnameChange(); }); });
        connectExit(ui->ed_mprjname, this, [main] { main->ed_mprjnameExit(); });
    }
}

TTextPage::~TTextPage()
{
    delete ui;
}

void TTextPage::ShowTextPage()
{
    ui->ed_logo1->setText(ImageWordsToText(LogoLine1, LogoLastWord1));
    ui->ed_logo2->setText(ImageWordsToText(LogoLine2, LogoLastWord2));
    setAquaBackground(ui->ed_logo1, !G.WriteAccepted);
    setAquaBackground(ui->ed_logo2, !G.WriteAccepted);

    ui->Label260->setVisible(true);
    ui->lb_NomVRang->setVisible(true);
    ui->Label4->setVisible(true);
    ui->cb_din->setVisible(true);
    if (TfrmMain::PagesOpen())
        ui->lb_NomVRang->setText(VoltageRangeText(G.VoltageRange));

    switch (G.ParamImage[LanguageIndex]) {
    case 0:
        ui->rg_language->setItemIndex(0);
        break;
    case 1:
        ui->rg_language->setItemIndex(1);
        break;
    case 2:
    case 3:
        ui->rg_language->setItemIndex(2);
        break;
    default:
        ui->rg_language->setItemIndex(-1);
        break;
    }

    QString name = CustomerLanguageName(G.ParamImage[CustomLanguage]);
    if (name.isEmpty()) {
        name = CustomerLanguageName(0);
        G.ParamImage[CustomLanguage] = 0;
    }
    ui->rg_language->setItemText(2, name);
}

void TTextPage::CollectTextPage()
{
    rg_languageClick();
    ed_logo1Exit();
    ed_logo2Exit();
}

void TTextPage::ed_logo1Exit()
{
    StoreEditText(LogoLine1, LogoLastWord1, ui->ed_logo1->text(), LogoLength);
}

void TTextPage::ed_logo2Exit()
{
    StoreEditText(LogoLine2, LogoLastWord2, ui->ed_logo2->text(), LogoLength);
}

void TTextPage::logoChanged(int line)
{
    const QLineEdit *edit = line == 1 ? ui->ed_logo1 : ui->ed_logo2;
    QLabel *count = line == 1 ? ui->lb_anzCh : ui->lb2_anzCh;
    count->setText(QString::number(edit->text().size()));
    if (TfrmMain::PagesOpen()) {
        G.ProjectTextModified = true;
        G.ImageModified = true;
    }
}

void TTextPage::ed_logo1Change()
{
    logoChanged(1);
}

void TTextPage::ed_logo2Change()
{
    logoChanged(2);
}

void TTextPage::rg_languageClick()
{
    const int index = ui->rg_language->itemIndex();
    G.ParamImage[LanguageIndex] = quint16(index == 1 || index == 2 ? index : 0);
}

void TTextPage::cb_dinClick()
{
    const bool din = ui->cb_din->isChecked();
    QWidget *window = mainWindow() ? static_cast<QWidget *>(mainWindow()) : sheet()->window();
    for (const DinRowCaption &row : DinRowCaptions) {
        if (auto *panel = FindControlAs<QLabel>(window, QLatin1String(row.panel)))
            panel->setText(QString::fromLatin1(din ? row.din : row.standard));
    }
}

QString TTextPage::memoText() const
{
    // The raw text: toPlainText() would turn every no-break space into a blank.
    QString text = ui->Memo1->document()->toRawText();
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void TTextPage::setMemoText(const QString &text)
{
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const bool setting = m_settingMemo;
    m_settingMemo = true;
    ui->Memo1->setPlainText(plain);
    m_settingMemo = setting;
}

QLineEdit *TTextPage::headEdit(Head field) const
{
    switch (field) {
    case Head::WorkNumber:
        return ui->ed_mFabrNr;
    case Head::ProjectName:
        return ui->ed_mprjname;
    case Head::Firmware:
        return ui->ed_versnr;
    default:
        return ui->ed_mpfad;
    }
}

QString TTextPage::headText(Head field) const
{
    return headEdit(field)->text();
}

void TTextPage::setHeadText(Head field, const QString &text)
{
    headEdit(field)->setText(text);
}

bool TTextPage::firmwareAqua() const
{
    return hasAquaBackground(ui->ed_versnr);
}

void TTextPage::setFirmwareAqua(bool aqua)
{
    setAquaBackground(ui->ed_versnr, aqua);
}

void TTextPage::setOldDataNotice(bool shown)
{
    ui->Panel71->setVisible(shown);
    ui->Label330->setVisible(shown);
}

void TTextPage::setMemoShown(bool shown)
{
    ui->Label35->setVisible(shown);
    ui->Memo1->setEnabled(shown);
    ui->Memo1->setVisible(shown);
}

void TTextPage::focusMemo()
{
    ui->Memo1->setFocus();
}

void TTextPage::focusLogo()
{
    ui->ed_logo1->setFocus();
}

int TTextPage::languageIndex() const
{
    return ui->rg_language->itemIndex();
}

void TTextPage::setLanguageEnabled(bool enabled)
{
    ui->rg_language->setEnabled(enabled);
}

void TTextPage::setDinRail(bool on)
{
    ui->cb_din->setChecked(on);
}

void TTextPage::setLogoText(int line, const QString &text)
{
    (line == 1 ? ui->ed_logo1 : ui->ed_logo2)->setText(text);
}

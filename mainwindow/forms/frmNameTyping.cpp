#include "mainwindow/forms/frmNameTyping.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "core/modorvan.h"
#include "mainwindow/forms/textboxes.h"
#include "mainwindow/identify.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orv {

frmNameTyping::frmNameTyping()
    : lblNameTyping(new QLabel(this)), cboGetName(new QComboBox(this)), txtNameText(new QLineEdit(this)),
      cmdNameTest(new QPushButton(this)), cmdnameCancel(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmNameTyping"));
    cboGetName->setEditable(true);
    cboGetName->setInsertPolicy(QComboBox::NoInsert);
    // What is typed is what is judged: no completion from the candidates.
    cboGetName->setCompleter(nullptr);
    txtNameText->setReadOnly(true); // unlocked at load
    cmdNameTest->setText(QStringLiteral("&Continue"));
    cmdnameCancel->setText(QStringLiteral("C&ancel"));
    applyButtonLook(cmdNameTest);
    applyButtonLook(cmdnameCancel);
    // An editable combo box keeps the focus itself and hands typed keys to
    // its line edit directly, so the key filter watches the combo box too.
    txtNameText->installEventFilter(this);
    cboGetName->installEventFilter(this);
    cboGetName->lineEdit()->installEventFilter(this);
    connect(cmdNameTest, &QPushButton::clicked, this, &frmNameTyping::cmdNameTest_Click);
    connect(cmdnameCancel, &QPushButton::clicked, this, &frmNameTyping::cmdnameCancel_Click);
    setDefaultButton(this, cmdNameTest);
    setCancelButton(this, cmdnameCancel);
    Form_Load();
}

void frmNameTyping::Form_Load()
{
    const auto& m = modOrvan;
    applyFormLook(this);
    applyDesignFont(this);
    NameListExtraHeight = nameListExtraHeight(m.OfferNameList, m.CurrentUnknown);
    const int width = 6500;
    placeOnMainWindow(this, 2100 - NameListExtraHeight / 2, width, 2100 + NameListExtraHeight);
    setWindowTitle(QStringLiteral("Identify the compound by name"));
    applyLabelLook(lblNameTyping);
    lblNameTyping->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (isTrue(m.OfferNameList)) {
        placeControl(lblNameTyping, (width - 5200) / 2, 100, 5200, 420);
        lblNameTyping->setText(QStringLiteral("Either type the name exactly as shown in the Orvanto tables or textbook "
                                              "or choose a name from the dropdown list."));
        txtNameText->hide();
        placeControl(cboGetName, (width - 3600) / 2, 630, 3600, 315);
        for (int n = 1; n <= m.NameChoiceCount && n < int(m.NameChoices.size()); ++n)
            cboGetName->addItem(m.NameChoices[n]);
        cboGetName->setMaxVisibleItems(8);
        cboGetName->setCurrentIndex(-1);
        cboGetName->setEditText(QString());
        cboGetName->show();
    } else {
        placeControl(lblNameTyping, 800, 220, 5200, 240);
        lblNameTyping->setText(QStringLiteral("Type the name exactly as shown in the Orvanto tables or textbook."));
        cboGetName->hide();
        placeControl(txtNameText, (width - 3600) / 2, 630, 3600, 300);
        txtNameText->setReadOnly(false);
        txtNameText->show();
    }
    placeControl(cmdnameCancel, width / 2 - 1000 - 800, 1100 + NameListExtraHeight, 1000, 490);
    cmdnameCancel->setToolTip(QStringLiteral("Click here to cancel"));
    placeControl(cmdNameTest, width / 2 + 800, 1100 + NameListExtraHeight, 1000, 490);
    cmdNameTest->setToolTip(QStringLiteral("Click here to see if name is correct"));
    modOrvan.AllUnknownsDone = kFalse;
}

bool frmNameTyping::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress
        && (watched == txtNameText || watched == cboGetName || watched == cboGetName->lineEdit())) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Keys without a character (arrows, Delete, Tab) move or edit as usual.
        if (key->text().isEmpty() || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return false;
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            if (cmdnameCancel->isVisible())
                cmdnameCancel->click();
            return true;
        }
        int code = key->text().at(0).unicode();
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            code = 13;
        switch (nameKeyAction(code)) {
        case NameKey::Pass: return false;
        case NameKey::Test: cmdNameTest_Click(); return true;
        case NameKey::Discard:
            if (isTrue(modOrvan.SoundOn))
                QApplication::beep();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmNameTyping::cmdNameTest_Click()
{
    cmdNameTest->hide();
    cmdnameCancel->hide();
    TypedName = (isTrue(modOrvan.OfferNameList) ? cboGetName->currentText() : txtNameText->text()).toUpper();
    testTypedName(TypedName);
    forms::unload(this);
    forms::showModal(forms::names::frmReportProgress);
}

void frmNameTyping::cmdnameCancel_Click() { forms::unload(this); }

} // namespace orv

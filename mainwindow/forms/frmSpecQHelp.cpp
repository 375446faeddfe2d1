#include "mainwindow/forms/frmSpecQHelp.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "core/modorvan.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QTextEdit>

namespace orv {

frmSpecQHelp::frmSpecQHelp()
{
    setObjectName(QStringLiteral("frmSpecQHelp"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    applyFormLook(this);
    constexpr int width = 6500;
    const int height = 2000 + CaptionExtraTwips();
    int mainLeft = 0, mainTop = 0, mainWidth = 0;
    if (QWidget* main = forms::find(forms::names::frmOVMain);
        main && mainWindowRectTwips(mainLeft, mainTop, mainWidth)) {
        const int mainHeight = formRectTwips(main).height();
        setFormGeometry(this, mainLeft + (mainWidth - width) / 2,
                        mainTop + static_cast<int>((mainHeight - height) / 1.5), width, height);
    } else {
        placeOnMainWindow(this, 0, width, 2000);
    }

    txtQHelp = new QTextEdit(this);
    txtQHelp->setObjectName(QStringLiteral("txtQHelp"));
    txtQHelp->setReadOnly(true);
    txtQHelp->setAcceptRichText(false);
    txtQHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    placeControl(txtQHelp, 120, 120, 6135, 855);

    cmdQHelpOk = new QPushButton(this);
    cmdQHelpOk->setObjectName(QStringLiteral("cmdQHelpOk"));
    makeContinueButton(cmdQHelpOk);
    placeControl(cmdQHelpOk, (width - 1095) / 2, 1080, 1095, 495);
    setContinueButton(this, cmdQHelpOk);
    cmdQHelpOk->setFocus();
    connect(cmdQHelpOk, &QPushButton::clicked, this, &frmSpecQHelp::cmdQHelpOk_Click);
}

void frmSpecQHelp::cmdQHelpOk_Click() { forms::unload(this); }

void frmSpecQHelp::closeEvent(QCloseEvent* e)
{
    // Continue and the close box alike: the help has been seen.
    auto& m = modOrvan;
    if (m.CurrentItem >= 0 && m.CurrentItem <= kLastItem)
        m.ItemHelpShown[m.CurrentItem] = kTrue;
    e->accept();
}

} // namespace orv

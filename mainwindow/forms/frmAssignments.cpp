#include "mainwindow/forms/frmAssignments.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "core/modorvan.h"
#include "mainwindow/assignments.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/pictures.h"
#include "platform/forms/printnotice.h"
#include "platform/msgbox.h"
#include "platform/twips.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orv {

namespace {
constexpr int kWidth = 8500;
constexpr int kHeight = 6000;

void placeRect(QWidget* w, const TwipsRect& r) { placeControl(w, r.left, r.top, r.width, r.height); }
}

frmAssignments::frmAssignments()
{
    auto& m = modOrvan;
    applyFormLook(this);
    int left = 0, top = 0, width = 0;
    if (mainWindowRectTwips(left, top, width))
        setFormGeometry(this, left + 3 + (width - kWidth) / 2, top + 400 + CaptionExtraTwips(), kWidth,
                        kHeight + CaptionExtraTwips());
    else
        placeOnMainWindow(this, 400 + CaptionExtraTwips(), kWidth, kHeight);
    setWindowTitle(assignmentsCaption(m.LastUnknownDone, isTrue(m.ShowUnknownNumber)));

    cmdAssignmentsOk = new QPushButton(this);
    makeContinueButton(cmdAssignmentsOk);
    picAssignments = new QLabel(this);
    picAssignments->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picAssignments->setFrameShape(QFrame::Panel);
    picAssignments->setFrameShadow(QFrame::Sunken);
    setBackColour(picAssignments, 0xFFFFFF);
    lblAssignments = new QLabel(this);
    setBackColour(lblAssignments, 0xFFFFFF);
    lblAssignments->setWordWrap(true);
    lblAssignments->setContentsMargins(px(60), 0, px(60), 0);
    lblAssignments->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblAssignments->hide();
    cmdAssignmentsPrint = new QPushButton(QStringLiteral("&Print"), this);
    applyButtonLook(cmdAssignmentsPrint);
    txtAssignments = new QLineEdit(this);
    txtAssignments->hide();
    cmdAssignmentsCopy = new QPushButton(QStringLiteral("C&opy"), this);
    applyButtonLook(cmdAssignmentsCopy);
    setTabOrder(cmdAssignmentsOk, cmdAssignmentsPrint);
    setTabOrder(cmdAssignmentsPrint, cmdAssignmentsCopy);

    m.FilePathBuffer = assignmentsPicturePath(m.LastUnknownDone);
    picture_ = LoadPicture(m.FilePathBuffer);

    cmdAssignmentsPrint->setToolTip(QStringLiteral("Click here to get a copy on paper"));
    placeControl(cmdAssignmentsPrint, 2250, 5050, 1000, 490);
    cmdAssignmentsCopy->setToolTip(QStringLiteral("Click here to copy to clipboard"));
    placeControl(cmdAssignmentsCopy, 3750, 5050, 1000, 490);
    placeControl(cmdAssignmentsOk, 5250, 5050, 1000, 490);

    if (picture_.isNull()) {
        cmdAssignmentsPrint->setEnabled(false);
        cmdAssignmentsCopy->setEnabled(false);
        picAssignments->hide();
        lblAssignments->setText(assignmentsMissingMessage(m.FilePathBuffer).replace(vbCrLf, QStringLiteral("\n")));
        // A long folder path wraps: the label grows to show the whole message.
        const int needed = static_cast<int>(twips(lblAssignments->heightForWidth(px(4450))));
        placeControl(lblAssignments, 1500, 2000, 4450, std::max(600, needed + 60));
        lblAssignments->show();
    } else {
        himetric_ = himetricOfPixels(picture_.size());
        picAssignments->setPixmap(picture_);
        placeRect(picAssignments, assignmentsPictureBox(himetric_, kWidth));
    }
    cmdAssignmentsOk->setFocus();

    noticeTimer_ = newPrintNoticeTimer(this, txtAssignments);
    print_ = std::make_unique<TextPrintout>(TextPrintout::Feedback{
        txtAssignments, {(kWidth - kPrintNoticeWidth) / 2, 2200}, noticeTimer_, nullptr, {}, true});
    connect(cmdAssignmentsOk, &QPushButton::clicked, this, &frmAssignments::cmdAssignmentsOk_Click);
    setContinueButton(this, cmdAssignmentsOk);
    connect(cmdAssignmentsPrint, &QPushButton::clicked, this, &frmAssignments::cmdAssignmentsPrint_Click);
    connect(cmdAssignmentsCopy, &QPushButton::clicked, this, &frmAssignments::cmdAssignmentsCopy_Click);
}

void frmAssignments::cmdAssignmentsCopy_Click()
{
    if (picture_.isNull())
        return;
    // A clipboard that cannot be filled is not reported.
    if (QClipboard* c = QApplication::clipboard()) {
        c->clear();
        c->setPixmap(picture_);
    }
}

void frmAssignments::cmdAssignmentsPrint_Click()
{
    if (picture_.isNull() || print_->busy())
        return;
    const bool ok = print_->print(windowTitle(), [this](PrintLines& out) {
        // An empty line, then the title on the second line.
        out.setBold(true);
        out.printLine(QString());
        out.printLine(assignmentsPrintTitle(modOrvan.LastUnknownDone));
        const TwipsRect r = assignmentsPrintRect(himetric_);
        out.painter()->drawPixmap(QRectF(r.left, r.top, r.width, r.height), picture_, QRectF(picture_.rect()));
    });
    if (!ok) {
        modOrvan.TextBuffer = QStringLiteral("1"); // the message box's answer: OK
        return;
    }
    cmdAssignmentsOk->setFocus();
}

void frmAssignments::cmdAssignmentsOk_Click() { forms::unload(this); }

} // namespace orv

#include "mainwindow/forms/frmReportProgress.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "core/forms/frmQuit.h"
#include "core/modorvan.h"
#include "mainwindow/forms/textboxes.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/pictures.h"
#include "platform/resources.h"
#include "platform/twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <utility>

namespace orv {

namespace {

constexpr int kRightWidth = 9200;
constexpr int kButtonTop = 5050;
constexpr int kWrongWidth = 6500;

// The report on show that has not yet moved on (see carryOnForSystemEnd).
frmReportProgress* waitingReport = nullptr;

// A menu entry of the main window, by its control name or, failing that, by
// its caption (both fixed for these entries).
QAction* mainMenuEntry(const QString& name, const QString& caption)
{
    QWidget* main = forms::find(forms::names::frmOVMain);
    if (!main)
        return nullptr;
    if (auto* a = main->findChild<QAction*>(name))
        return a;
    for (QAction* a : main->findChildren<QAction*>())
        if (a->text() == caption)
            return a;
    return nullptr;
}

void setEntryVisible(const QString& name, const QString& caption, bool visible)
{
    if (QAction* a = mainMenuEntry(name, caption))
        a->setVisible(visible);
}

// A text box paints its field in the Base colour, not the window colour.
void setBoxColour(QPlainTextEdit* box, std::uint32_t bbggrr)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Base, vbColour(bbggrr));
    box->setPalette(p);
}

// Twips a text box needs to show its whole text at its present width; the
// boxes' designed heights were reckoned for the original face.
int neededHeightTwips(QPlainTextEdit* box)
{
    const int margins = 2 * (box->frameWidth() + int(box->document()->documentMargin()));
    int width = box->width() - margins;
    if (box->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        width -= box->verticalScrollBar()->sizeHint().width();
    const QRect need = QFontMetrics(box->font())
                           .boundingRect(QRect(0, 0, std::max(1, width), 100000), Qt::TextWordWrap, box->toPlainText());
    return int(twips(need.height() + margins));
}

// The margin right of the report that holds the reward picture and its
// caption: designed as wide as the left margin, but ending at the inside of
// the window's frame, which is wider here than the design allowed for.
int rewardMarginLeft() { return (kRightWidth - 5200) / 2 + 5200; }
int rewardMarginWidth()
{
    const int clientWidth = kRightWidth - int(twips(kFrameExtraWidthPx));
    return std::min((kRightWidth - 5200) / 2, clientWidth - rewardMarginLeft() - kTwipsPerPixel * 4);
}

QAction* resignEntry()
{
    return mainMenuEntry(QStringLiteral("mnuNameItem_3"), QStringLiteral("&Resign from this unknown"));
}

} // namespace

frmReportProgress::frmReportProgress()
    : txtReport(new QPlainTextEdit(this)), picStrReward(new QLabel(this)), txtStrReward(new QPlainTextEdit(this)),
      cmdReportok(new QPushButton(this)), cmdAssign(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmReportProgress"));
    makeContinueButton(cmdReportok);
    applyButtonLook(cmdAssign);
    txtReport->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setBoxColour(txtReport, 0xFFFFFF);
    txtStrReward->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtStrReward->setReadOnly(true);
    picStrReward->installEventFilter(this);
    connect(cmdReportok, &QPushButton::clicked, this, &frmReportProgress::cmdReportok_Click);
    setContinueButton(this, cmdReportok);
    connect(cmdAssign, &QPushButton::clicked, this, &frmReportProgress::cmdAssign_Click);
    Form_Load();
    waitingReport = this;
}

frmReportProgress::~frmReportProgress()
{
    if (waitingReport == this)
        waitingReport = nullptr;
}

void frmReportProgress::carryOnForSystemEnd()
{
    frmReportProgress* report = std::exchange(waitingReport, nullptr);
    if (!report || report->continued_)
        return;
    // The record moves on as Continue would move it; no window is opened or
    // changed, since the program is ending.
    report->continued_ = true;
    QString quitMessage;
    continueAfterReport(report->AnotherUnknownLeft, &quitMessage);
}

void frmReportProgress::Form_Load()
{
    applyFormLook(this);
    applyDesignFont(this);
    picStrReward->hide();
    txtStrReward->hide();
    cmdReportok->setToolTip(QStringLiteral("Click here to proceed"));
    modOrvan.DataSaved = kFalse;
    if (isTrue(modOrvan.UnkIdentified))
        loadRightAnswer();
    else
        loadWrongAnswer();
}

void frmReportProgress::loadWrongAnswer()
{
    setWindowTitle(QStringLiteral("Sorry"));
    placeOnMainWindow(this, 1800, kWrongWidth, 2700);
    placeControl(cmdReportok, kWrongWidth / 2 - 500, 1710, 1000, 490);
    cmdAssign->hide();
    placeControl(txtReport, (kWrongWidth - 5000) / 2 - 30, 200, 5000, 1340);
    const QString opening = randomWording(Wording::Opening);
    const QString verdict = randomWording(Wording::Verdict);
    setBoxText(txtReport, wrongAnswerText(opening, verdict));
    txtReport->setReadOnly(true);
    const QString sound = reportSoundKind();
    if (!sound.isEmpty())
        PlayResourceSound(sound);
}

void frmReportProgress::loadRightAnswer()
{
    const auto& m = modOrvan;
    placeOnMainWindow(this, 400 + CaptionExtraTwips(), kRightWidth, 6000);
    setWindowTitle(QStringLiteral("Progress report"));
    txtReport->hide();
    if (isTrue(m.AssignmentsAllowed)) {
        // The designed button wraps its caption onto two lines.
        cmdAssign->setText(QStringLiteral("&View spectral\nassignments"));
        cmdAssign->setToolTip(QStringLiteral("Click here to see explanations of spectra"));
        placeControl(cmdAssign, kRightWidth / 2 - 900 - 1100, kButtonTop, 1100, 490);
        cmdAssign->show();
        placeControl(cmdReportok, kRightWidth / 2 + 900, kButtonTop, 1000, 490);
    } else {
        cmdAssign->hide();
        placeControl(cmdReportok, kRightWidth / 2 - 550, kButtonTop, 1000, 490);
    }
    QPalette p = txtReport->palette();
    p.setColor(QPalette::Text, QColor(0, 0, 255));
    txtReport->setPalette(p);

    const QString praise = isTrue(m.ShowReportAfterResign) ? QString() : randomWording(Wording::Praise);
    const QString sound = reportSoundKind();
    if (!sound.isEmpty())
        PlayResourceSound(sound);
    outcome = makeReport(praise);
    ReportLineCount = outcome.lineCount;
    AnotherUnknownLeft = outcome.anotherUnknownLeft;
    if (outcome.restoreSaveMenus) {
        setEntryVisible(QStringLiteral("mnuSaveCont"), QStringLiteral("Sa&ve and continue"), true);
        setEntryVisible(QStringLiteral("mnuSaveNext"), QStringLiteral("Save and ne&xt user"), true);
        setEntryVisible(QStringLiteral("mnuSaveQuit"), QStringLiteral("Save and &quit"), true);
        setEntryVisible(QStringLiteral("mnuNextUser"), QStringLiteral("N&ext user"), false);
        setEntryVisible(QStringLiteral("mnuExit"), QStringLiteral("End n&ow"), false);
    }
    if (outcome.showResignItem)
        if (QAction* a = resignEntry())
            a->setVisible(true);

    setBoxText(txtReport, outcome.text);
    placeControl(txtReport, (kRightWidth - 5200) / 2, 800, 5200, reportBoxHeight(ReportLineCount));
    // Lines that wrap need more than their count: the box grows to its 4000-twip limit.
    const int neededTw = neededHeightTwips(txtReport);
    if (neededTw > reportBoxHeight(ReportLineCount))
        placeControl(txtReport, (kRightWidth - 5200) / 2, 800, 5200, std::min(neededTw, 4000));
    txtReport->setReadOnly(true);
    txtReport->show();

    if (isTrue(m.ShowRewardPicture) && !isTrue(m.ExampleMode) && !isTrue(m.InstructorMode))
        showRewardPicture();
}

void frmReportProgress::showRewardPicture()
{
    RewardPictureNo = rewardPictureNumber(completedCount());
    const QPixmap picture = LoadResPicture(RewardPictureNo + 102);
    // A missing reward picture leaves the margin empty; the caption still works.
    const int pictureWidthTw = int(twips(picture.width()));
    const int left = rewardMarginLeft() + (rewardMarginWidth() - pictureWidthTw) / 2;
    picStrReward->setPixmap(picture);
    placeControl(picStrReward, left, 800, std::max(pictureWidthTw, 15), std::max(int(twips(picture.height())), 15));
    picStrReward->setToolTip(QStringLiteral("Click here to get some information"));
    picStrReward->setCursor(Qt::PointingHandCursor);
    picStrReward->show();
    if (completedCount() == 1) {
        const QString intro = LoadResString(102);
        placeRewardText(intro, 0xFFFFFF, rewardIntroHeight(intro));
    }
}

void frmReportProgress::placeRewardText(const QString& text, std::uint32_t back, int height)
{
    const int pictureHeightTw = int(twips(picStrReward->pixmap().height()));
    const int top = pictureHeightTw + 900;
    const int left = rewardMarginLeft() + 50;
    const int width = rewardMarginWidth() - 150;
    setBoxColour(txtStrReward, PaletteColour(back));
    placeControl(txtStrReward, left, top, width, height);
    setBoxText(txtStrReward, text);
    // A text that needs more room grows the box down to the buttons, and
    // scrolls beyond that.
    const int room = kButtonTop - 60 - top;
    const int neededTw = neededHeightTwips(txtStrReward);
    txtStrReward->setVerticalScrollBarPolicy(neededTw > room ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    if (neededTw > height)
        placeControl(txtStrReward, left, top, width, std::min(neededTw, room));
    txtStrReward->show();
}

void frmReportProgress::picStrReward_Click()
{
    const QString text = rewardCaption(RewardPictureNo, completedCount());
    placeRewardText(text, 0xC0C0C0, rewardCaptionHeight(text));
    cmdReportok->setFocus();
}

void frmReportProgress::cmdAssign_Click()
{
    forms::showModal(forms::names::frmAssignments);
    cmdReportok->setFocus();
}

void frmReportProgress::carryOn()
{
    continued_ = true;
    if (waitingReport == this)
        waitingReport = nullptr;
    QString quitMessage;
    switch (continueAfterReport(AnotherUnknownLeft, &quitMessage)) {
    case ReportNext::InstructorSelection:
        if (QWidget* select = forms::load(forms::names::frmSelectUnks)) {
            if (QWidget* main = forms::find(forms::names::frmOVMain))
                main->hide();
            forms::showModeless(select);
        }
        break;
    case ReportNext::BackFromExample:
        if (isTrue(modOrvan.ResignAllowed))
            if (QAction* a = resignEntry())
                a->setEnabled(true);
        break;
    case ReportNext::NoUnknownReadable: {
        // What was done is saved (a failed save is tried again on the way
        // out); the student leaves through the quit window, which says why,
        // once this report has closed.
        auto& m = modOrvan;
        m.QuitReason = m.QuitReason == QLatin1String("Save") ? QStringLiteral("QuitNow") : QStringLiteral("NoSaveExit");
        frmQuit::setMessage(quitMessage);
        QTimer::singleShot(0, [] { forms::unload(forms::names::frmOVMain); });
        break;
    }
    default: break;
    }
}

void frmReportProgress::cmdReportok_Click()
{
    carryOn();
    forms::unload(this);
}

void frmReportProgress::closeEvent(QCloseEvent* event)
{
    // The close box after a right answer or a resignation does what Continue
    // does; otherwise the finished unknown would be recorded again.
    if (!continued_)
        carryOn();
    event->accept();
}

bool frmReportProgress::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == picStrReward && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        picStrReward_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace orv

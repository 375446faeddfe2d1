#include "core/forms/frmInitial.h"

#include "core/programversion.h"

#include "core/configfile.h"
#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "core/forms/frmQuit.h"
#include "core/modorvan.h"
#include "core/nextunknown.h"
#include "core/signin.h"
#include "core/unknownfile.h"
#include "core/userfile.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/pictures.h"
#include "platform/msgbox.h"
#include "platform/resources.h"
#include "platform/runtime.h"
#include "platform/twips.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <cmath>
#include <memory>

namespace orv {

namespace {

// What the start window keeps for the whole run: the user file named on the
// command line, and the single-copy lock with the folder it lives in.
struct RunState {
    QString commandLine;
    QString lockFolder;
    std::unique_ptr<SingleInstance> singleCopy;
};
RunState& runState()
{
    static RunState r;
    return r;
}

constexpr int kWidthTw = 6500;
const QString kAboutAtLoad = QStringLiteral(
    "A program from Kordavia that helps you learn to use spectroscopy to identify organic unknowns");
const QString kAboutAfterPicture = QStringLiteral("A program from Kordavia to help you learn to use spectroscopy and ")
                                 + QStringLiteral("chemical reactions to identify organic unknowns");

// A label font of the given point size at the designed 15 twips a pixel.
QFont labelFont(double points)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(static_cast<int>(std::lround(points * 20.0 / kTwipsPerPixel)));
    return f;
}

void showSmallPicture(QLabel* img)
{
    img->setPixmap(LoadResPicture(101));
    placeControl(img, 1370, 1980, 100, 100);
}

void showMainWindow()
{
    if (QWidget* main = forms::load(forms::names::frmOVMain))
        forms::showModeless(main);
}

void showQuitWindow()
{
    if (QWidget* quit = forms::load(forms::names::frmQuit))
        forms::showModeless(quit);
}

// The road of a program that chooses unknowns itself, for when the sign-in
// windows are not part of this program.
void startChosenUnknown()
{
    QString why;
    if (!StartNewUnknown(&why)) {
        frmQuit::setMessage(why);
        showQuitWindow();
        return;
    }
    showMainWindow();
    AnnounceUnknown();
}

void routeCommandLineUser()
{
    auto& m = modOrvan;
    const QString path = runState().commandLine;
    m.CommandLineUsed = QStringLiteral("yes");
    const SignInOutcome out = signInFromUserFile(path, false);
    switch (out.result) {
    case SignInResult::NotAUserFile:
    case SignInResult::Unreadable:
    case SignInResult::PasswordRefused:
        // The student leaves through the quit window, which says why the
        // session cannot start. Nothing of the refused file stays behind.
        clearForNextStudent();
        m.TextBuffer = QStringLiteral("Invalid password.") + QString(25, u' ');
        frmQuit::setMessage(out.result == SignInResult::PasswordRefused ? m.TextBuffer.trimmed()
                            : !out.quitMessage.isEmpty()
                                ? out.quitMessage
                                : QStringLiteral("The file ") + path + QStringLiteral(" could not be read."));
        showQuitWindow();
        return;
    case SignInResult::AllDone: showQuitWindow(); return;
    case SignInResult::InUse:
        clearForNextStudent();
        frmQuit::setMessage(out.quitMessage);
        showQuitWindow();
        return;
    case SignInResult::UnknownUnreadable:
        frmQuit::setMessage(out.quitMessage);
        showQuitWindow();
        return;
    case SignInResult::Loaded: break;
    }
    AnnounceUnknown();
    if (isTrue(IsNewUser())) {
        // The welcome window opens the main window; without it, open it here.
        if (!forms::showModal(forms::names::frmNewUser))
            showMainWindow();
        return;
    }
    showMainWindow();
    if (isTrue(m.ShowTipsAtStart))
        forms::showModal(forms::names::frmTips);
    forms::showModal(forms::names::frmOldUser);
}

} // namespace

void setStudentCommandLine(const QString& c) { runState().commandLine = c; }
void setSingleCopyLockFolder(const QString& folder) { runState().lockFolder = folder; }

bool claimSingleCopy()
{
    if (runState().singleCopy)
        return true;
    auto lock = std::make_unique<SingleInstance>(QStringLiteral("orvantos"), runState().lockFolder);
    if (!lock->tryLock())
        return false;
    runState().singleCopy = std::move(lock);
    return true;
}

void releaseSingleCopy() { runState().singleCopy.reset(); }

QPixmap titlePicture()
{
    QPixmap pm(416, 165);
    pm.fill(vbColour(0x80FFFF));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 0, 40);
    band.setColorAt(0, QColor(0, 70, 140));
    band.setColorAt(1, QColor(40, 120, 200));
    p.fillRect(0, 0, 416, 40, band);
    const auto write = [&p](const QString& family, int pixels, bool bold, const QColor& colour, const QRect& box,
                            const QString& text) {
        QFont f(family);
        f.setPixelSize(pixels);
        f.setBold(bold);
        f.setItalic(!bold);
        p.setFont(f);
        p.setPen(colour);
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
    };
    write(QStringLiteral("DejaVu Serif"), 30, true, QColor(255, 224, 64), QRect(12, 2, 300, 36),
          QStringLiteral("Orvanto"));
    write(QStringLiteral("DejaVu Sans"), 13, false, QColor(0, 70, 140), QRect(12, 44, 220, 18),
          QStringLiteral("Identifying organic unknowns"));
    // A benzene ring, left of the region picture.
    const QPointF c(40, 108);
    const double r = 18;
    QPolygonF ring;
    for (int k = 0; k < 6; ++k) {
        const double a = (60.0 * k - 90.0) * 3.14159265358979 / 180.0;
        ring << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    }
    p.setPen(QPen(QColor(0, 70, 140), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(ring);
    p.drawEllipse(c, r * 0.55, r * 0.55);
    return pm;
}

frmInitial::frmInitial()
{
    auto& m = modOrvan;
    setObjectName(QStringLiteral("frmInitial"));
    setWindowTitle(QStringLiteral("Orvanto"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    if (!claimSingleCopy()) {
        refused_ = true;
        MsgBox(QStringLiteral("Orvanto already loaded"), MsgButtons::OkOnly, MsgIcon::Information);
        return;
    }
    // A start window begins a student's sign-in: no file is held before it.
    // A mark that stays keeps the last student's file from other copies.
    if (const QString stuck = releaseUserFile(); !stuck.isEmpty())
        MsgBox(stuck, MsgButtons::OkOnly, MsgIcon::Exclamation);
    InitProgram();
    ResetProgress();

    // Pictures that are missing leave their place empty; the window still works.
    setWindowIcon(programIcon());
    imgInitial = new QLabel(this);
    imgInitial->setObjectName(QStringLiteral("imgInitial"));
    imgKor = new QLabel(this);
    imgKor->setObjectName(QStringLiteral("imgKor"));
    imgKor->setScaledContents(true);
    showSmallPicture(imgKor);
    imgKor->setToolTip(QStringLiteral("Kordavia"));
    setBackColour(imgKor, PaletteColour(0xFFFF7D));
    imgKor->installEventFilter(this);
    setBackColour(this, PaletteColour(0x80FFFF));

    const int screenHeight = screenHeightTwips();
    m.ScreenTopOffset = std::max(1, CInt((screenHeight - 6500) / 2.0));
    setFormGeometry(this, (screenWidthTwips() - kWidthTw) / 2, m.ScreenTopOffset + 2250, kWidthTw,
                    3000 + CaptionExtraTwips());

    imgInitial->setPixmap(titlePicture());
    placeControl(imgInitial, 10, 20, 416 * kTwipsPerPixel, 165 * kTwipsPerPixel);
    imgInitial->setToolTip(QStringLiteral("Orvanto: spectroscopy and chemical tests for identifying organic unknowns"));
    imgInitial->lower();
    imgKor->raise();

    lblVersion = new QLabel(QStringLiteral("Version %1.%2").arg(kVersionMajor).arg(kVersionMinor), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    setBackColour(lblVersion, PaletteColour(0x40E0FF)); // RGB(255, 224, 64)
    QPalette vp = lblVersion->palette();
    vp.setColor(QPalette::WindowText, vbColour(0x0000C8)); // RGB(200, 0, 0)
    lblVersion->setPalette(vp);
    lblVersion->setFont(labelFont(10));
    lblVersion->setAlignment(Qt::AlignCenter);
    // Ten twips a point a character, or what the text needs in this face.
    const int versionWidth = std::max(
        10 * static_cast<int>(lblVersion->text().size()) * 10,
        int(twips(QFontMetrics(lblVersion->font()).horizontalAdvance(lblVersion->text()) + 4)));
    placeControl(lblVersion, 5600 - versionWidth, 670, versionWidth, 10 * 25);
    lblVersion->setToolTip(
        QStringLiteral("version %1.%2 build %3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));

    lblAbout = new QLabel(kAboutAtLoad, this);
    lblAbout->setObjectName(QStringLiteral("lblAbout"));
    setBackColour(lblAbout, PaletteColour(0x80FFFF));
    lblAbout->setWordWrap(true);
    lblAbout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblAbout->setFont(labelFont(9));
    // Designed 1000 high, the label would reach under the Continue button at
    // 2050; it has the window's colour, so stopping it there changes nothing
    // to see, and each description is fitted to it.
    placeControl(lblAbout, 3200, 1200, 2800, 2050 - 20 - 1200);
    fitTextToLabel(lblAbout);
    lblAbout->setToolTip(
        QStringLiteral("Kordavia is a small region of lakes and pine hills with a long tradition in chemistry."));

    cmdInitial = new QPushButton(this);
    cmdInitial->setObjectName(QStringLiteral("cmdInitial"));
    makeContinueButton(cmdInitial);
    placeControl(cmdInitial, (kWidthTw - 1000) / 2, 2050, 1000, 490);
    setDefaultButton(this, cmdInitial);
    connect(cmdInitial, &QPushButton::clicked, this, &frmInitial::cmdInitial_Click);

    auto* instructor = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+I")), this);
    connect(instructor, &QShortcut::activated, this, &frmInitial::instructorSelection);

    if (m.NameCount < 1)
        ReadConfigFile();
}

bool frmInitial::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == imgKor) {
        if (e->type() == QEvent::MouseButtonPress)
            imgKor_MouseDown();
        else if (e->type() == QEvent::MouseButtonRelease)
            imgKor_MouseUp();
    }
    return QWidget::eventFilter(watched, e);
}

void frmInitial::setAboutText(const QString& text)
{
    lblAbout->setFont(labelFont(9));
    lblAbout->setText(text);
    fitTextToLabel(lblAbout);
}

void frmInitial::imgKor_MouseDown()
{
    imgKor->setPixmap(LoadResPicture(102));
    placeControl(imgKor, 1180, 1788, 480, 485);
    setAboutText(LoadResString(101));
}

void frmInitial::imgKor_MouseUp()
{
    showSmallPicture(imgKor);
    setAboutText(kAboutAfterPicture);
}

void frmInitial::cmdInitial_Click()
{
    forms::unload(this);
    routeFromStartWindow();
}

void frmInitial::instructorSelection()
{
    if (!forms::isRegistered(forms::names::frmSelectUnks))
        return;
    forms::unload(this);
    if (QWidget* w = forms::load(forms::names::frmSelectUnks))
        forms::showModeless(w);
}

void routeFromStartWindow()
{
    auto& m = modOrvan;
    if (!runState().commandLine.isEmpty() && m.CommandLineUsed != QLatin1String("yes")) {
        routeCommandLineUser();
        return;
    }
    const forms::FormName signIn = isTrue(m.ProgramChoosesUnknowns) ? forms::names::frmUnkProgm
                                                                    : forms::names::frmUnkTeach;
    if (!forms::showModal(signIn))
        startChosenUnknown();
}

} // namespace orv

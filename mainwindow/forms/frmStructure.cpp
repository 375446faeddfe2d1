#include "mainwindow/forms/frmStructure.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "core/modorvan.h"
#include "mainwindow/forms/textboxes.h"
#include "mainwindow/identify.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/pictures.h"
#include "platform/twips.h"

#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace orv {

namespace {
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kCyan = 0xFFFF00;
constexpr int kWidth = 9200;

// A structure drawing fills its whole box, so the box's background colour
// alone would not show. The selected picture (pointed at or focused) takes
// that colour for its white paper, while the lines and the coloured atom
// labels stay as drawn. The picture with the keyboard focus also gets a
// dashed frame, so that Tab shows where Enter will choose.
class StructurePicture : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        QPainter p(this);
        const QColor back = palette().color(QPalette::Window);
        if (back != Qt::white && !pixmap().isNull()) {
            // The white in each pixel (its smallest channel) becomes the
            // background colour; smoothed edges blend the same way. A
            // transparent paper counts as white.
            QImage img(pixmap().size(), QImage::Format_RGB32);
            img.fill(Qt::white);
            QPainter(&img).drawPixmap(0, 0, pixmap());
            for (int y = 0; y < img.height(); ++y) {
                auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
                for (int x = 0; x < img.width(); ++x) {
                    const int r = qRed(row[x]), g = qGreen(row[x]), b = qBlue(row[x]);
                    const int white = std::min({r, g, b});
                    row[x] = qRgb(r - white * (255 - back.red()) / 255, g - white * (255 - back.green()) / 255,
                                  b - white * (255 - back.blue()) / 255);
                }
            }
            p.drawImage(contentsRect().topLeft(), img);
        }
        if (hasFocus()) {
            QPen pen(QColor(0, 0, 128), 2, Qt::DashLine);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
        }
    }
};
}

frmStructure::frmStructure() : cmdStructureOk(new QPushButton(this)), txtStructure(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frmStructure"));
    setMouseTracking(true);
    cmdStructureOk->setText(QStringLiteral("&Cancel"));
    applyButtonLook(cmdStructureOk);
    connect(cmdStructureOk, &QPushButton::clicked, this, &frmStructure::cmdStructureOk_Click);
    setCancelButton(this, cmdStructureOk);
    setTabOrder(cmdStructureOk, cmdStructureOk);
    QWidget* previous = cmdStructureOk;
    for (int i = 0; i < 6; ++i) {
        auto* pic = new StructurePicture(this);
        pic->setObjectName(QStringLiteral("Structure_%1").arg(i));
        pic->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pic->setLineWidth(1);
        pic->setAlignment(Qt::AlignCenter);
        pic->setFocusPolicy(Qt::StrongFocus);
        pic->setMouseTracking(true);
        pic->installEventFilter(this);
        setTabOrder(previous, pic);
        previous = pic;
        Structure[i] = pic;
    }
    txtStructure->setReadOnly(true);
    txtStructure->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Form_Load();
}

void frmStructure::Form_Load()
{
    auto& m = modOrvan;
    m.AllUnknownsDone = kFalse;
    applyFormLook(this);
    applyDesignFont(this);
    placeOnMainWindow(this, 400 + CaptionExtraTwips(), kWidth, 6000);
    setWindowTitle(QStringLiteral("Click on correct structure or use Tab and press Enter"));
    txtStructure->hide();
    placeControl(cmdStructureOk, (kWidth - 1000) / 2, 5050, 1000, 490);
    cmdStructureOk->setText(QStringLiteral("&Cancel"));
    cmdStructureOk->setToolTip(QStringLiteral("Click here to close without choosing a structure"));

    const StructureChoice choice = parseStructureChoiceLine(m.StructChoiceLine, m.ProgramPath);
    AnswerPicture = choice.answerPicture;
    PictureCount = choice.pictureCount;
    for (int k = 0; k < PictureCount; ++k) {
        QLabel* pic = Structure[k];
        setPictureBack(k, false);
        pic->setToolTip(QStringLiteral("Click here to choose this structure"));
        const QPixmap picture = LoadPicture(choice.pictureFiles[k]);
        if (picture.isNull()) {
            for (QLabel* p : Structure)
                p->hide();
            placeControl(txtStructure, (kWidth - 6000) / 2, 1500, 6000, 1100);
            setBoxText(txtStructure, structurePictureFailureText(choice.pictureFiles[k]));
            txtStructure->show();
            cmdStructureOk->setText(QStringLiteral("&Continue"));
            PictureCount = 0;
            return;
        }
        pic->setPixmap(picture);
        const int frame = 2 * pic->frameWidth();
        const int w = picture.width() + frame, h = picture.height() + frame;
        const int j = k < 3 ? k : k - 3;
        const int centreX = 1467 * (2 * j + 1) + 100 * (j + 1);
        const int centreY = k < 3 ? 1200 : 3600;
        pic->setGeometry(px(centreX) - w / 2, px(centreY) - h / 2, w, h);
        pic->show();
    }
    for (int k = PictureCount; k < 6; ++k)
        Structure[k]->hide();
}

void frmStructure::setPictureBack(int index, bool selected)
{
    const QColor want = vbColour(selected ? kCyan : kWhite);
    QLabel* pic = Structure[index];
    if (pic->palette().color(QPalette::Window) != want || !pic->autoFillBackground())
        setBackColour(pic, selected ? kCyan : kWhite);
}

void frmStructure::highlight(int index)
{
    SelectedPicture = index;
    for (int k = 0; k < 6; ++k)
        setPictureBack(k, k == index);
}

void frmStructure::Structure_MouseMove(int index) { highlight(index); }
void frmStructure::Structure_GotFocus(int index) { highlight(index); }

void frmStructure::Structure_LostFocus(int index)
{
    setPictureBack(index, false);
    SelectedPicture = -1;
}

void frmStructure::Form_MouseMove()
{
    for (int k = 0; k < 6; ++k)
        setPictureBack(k, false);
}

void frmStructure::Structure_KeyPress(int, int keyAscii)
{
    if (keyAscii == 13 && SelectedPicture >= 0)
        choose();
}

void frmStructure::Structure_Click(int index)
{
    SelectedPicture = index;
    choose();
}

void frmStructure::choose()
{
    chooseStructure(SelectedPicture, AnswerPicture);
    forms::unload(this);
    forms::showModal(forms::names::frmReportProgress);
}

void frmStructure::cmdStructureOk_Click() { forms::unload(this); }

void frmStructure::mouseMoveEvent(QMouseEvent* event)
{
    Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

bool frmStructure::eventFilter(QObject* watched, QEvent* event)
{
    const int index = int(std::find(Structure.begin(), Structure.end(), watched) - Structure.begin());
    if (index >= 6)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: Structure_MouseMove(index); return true; // the window's background did not see the pointer
    case QEvent::FocusIn: Structure_GotFocus(index); break;
    case QEvent::FocusOut: Structure_LostFocus(index); break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton
            && Structure[index]->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
            Structure_Click(index);
            return true;
        }
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Structure_KeyPress(index, 13);
            return true;
        }
        break;
    }
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace orv

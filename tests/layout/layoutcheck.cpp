#include "tests/layout/layoutcheck.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <cmath>

namespace layoutcheck {

namespace {

// Text may use the line's descent for nothing; a pixel of it may be cut.
constexpr int kHeightSlack = 1;

QString describe(const QRect& r) { return QStringLiteral("%1x%2").arg(r.width()).arg(r.height()); }

QString rectText(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QString quoted(QString text)
{
    text.replace(u'\n', QStringLiteral("\\n")).remove(QStringLiteral("\r"));
    if (text.size() > 40)
        text = text.left(37) + QStringLiteral("...");
    return u'"' + text + u'"';
}

QString captionOf(const QWidget* w)
{
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text();
    return {};
}

// The size a plain or rich caption needs in `font`, wrapped to `wrapWidth`
// when it is above 0.
QSize textNeed(const QFont& font, const QString& text, int wrapWidth, bool rich, int flags)
{
    if (rich) {
        QTextDocument doc;
        doc.setDefaultFont(font);
        doc.setDocumentMargin(0);
        doc.setHtml(text);
        if (wrapWidth > 0)
            doc.setTextWidth(wrapWidth);
        else
            doc.setTextWidth(doc.idealWidth());
        return {int(std::ceil(wrapWidth > 0 ? doc.idealWidth() : doc.size().width())),
                int(std::ceil(doc.size().height()))};
    }
    const QFontMetrics fm(font);
    const int width = wrapWidth > 0 ? wrapWidth : 100000;
    return fm.boundingRect(QRect(0, 0, width, 100000), flags | (wrapWidth > 0 ? Qt::TextWordWrap : 0), text).size();
}

QStyleOptionButton buttonOption(const QAbstractButton* b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    opt.icon = b->icon();
    opt.iconSize = b->iconSize();
    if (auto* p = qobject_cast<const QPushButton*>(b)) {
        if (p->isFlat())
            opt.features |= QStyleOptionButton::Flat;
        if (p->isDefault())
            opt.features |= QStyleOptionButton::DefaultButton;
        if (p->autoDefault())
            opt.features |= QStyleOptionButton::AutoDefaultButton;
    }
    return opt;
}

QStyleOptionGroupBox groupOption(const QGroupBox* g)
{
    QStyleOptionGroupBox opt;
    opt.initFrom(g);
    opt.text = g->title();
    opt.lineWidth = 1;
    opt.midLineWidth = 0;
    opt.textAlignment = g->alignment();
    opt.subControls = QStyle::SC_GroupBoxFrame;
    if (!g->title().isEmpty())
        opt.subControls |= QStyle::SC_GroupBoxLabel;
    if (g->isCheckable())
        opt.subControls |= QStyle::SC_GroupBoxCheckBox;
    if (g->isFlat())
        opt.features |= QStyleOptionFrame::Flat;
    return opt;
}

bool isRich(const QLabel* l)
{
    return l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
}

// Where a label's text is drawn, in the label's coordinates.
QRect labelTextRect(const QLabel* l)
{
    const int m = l->margin();
    const QRect cr = l->contentsRect().adjusted(m, m, -m, -m);
    const QSize need = textNeed(l->font(), l->text(), l->wordWrap() ? cr.width() : 0, isRich(l),
                                int(l->alignment()) | (l->buddy() ? Qt::TextShowMnemonic : 0));
    return QStyle::alignedRect(l->layoutDirection(), l->alignment(), need.boundedTo(cr.size()), cr);
}

enum class Wrap { None, Button, Mark };
Wrap wrapKind(const QWidget* w);

// An option's or check box's mark and caption, in its own coordinates.
QRect markAndCaption(const QAbstractButton* b)
{
    const bool radio = qobject_cast<const QRadioButton*>(b) != nullptr;
    const QStyleOptionButton opt = buttonOption(b);
    const QRect mark = b->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &opt, b);
    if (b->text().isEmpty())
        return mark;
    const QRect text = b->style()->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents,
                                                  &opt, b);
    if (wrapKind(b) == Wrap::Mark) {
        const int gap = b->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &opt, b);
        const QRect room = b->rect().adjusted(mark.right() + 1 + gap, 0, 0, 0);
        const QSize need = textNeed(b->font(), b->text(), room.width(), false, Qt::TextShowMnemonic);
        return mark.united(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignLeft | Qt::AlignVCenter, need.boundedTo(room.size()), room));
    }
    const QSize need = textNeed(b->font(), b->text(), 0, false, Qt::TextShowMnemonic);
    const QRect drawn(text.left(), text.center().y() - need.height() / 2, std::min(need.width(), text.width()),
                      need.height());
    return mark.united(drawn);
}

bool paintsWholeRect(const QWidget* w)
{
    if (w->autoFillBackground())
        return true;
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->frameShape() != QFrame::NoFrame || !l->pixmap().isNull() || l->text().isEmpty()
            || w->testAttribute(Qt::WA_StyledBackground);
    return true;
}

// The row of a group box's top line as drawn (styles do not all draw it
// where they report it): the first row, near the box's right end, that
// differs from the ground above it. -1 when nothing is drawn there.
int drawnTopLine(const QGroupBox* g)
{
    QImage image(g->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    const_cast<QGroupBox*>(g)->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    const int x = g->width() - 5;
    if (x < 0)
        return -1;
    for (int y = 1; y < image.height(); ++y)
        if (image.pixel(x, y) != image.pixel(x, 0))
            return y;
    return -1;
}

// Space inside a group box's frame and below its title, in its coordinates.
QRect groupFreeArea(const QGroupBox* g)
{
    const QStyleOptionGroupBox opt = groupOption(g);
    QRect frame = g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxFrame, g);
    frame.setTop(std::max(frame.top(), drawnTopLine(g)));
    frame = frame.adjusted(1, 1, -1, -1);
    if (!g->title().isEmpty()) {
        const QRect label = g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
        frame.setTop(std::max(frame.top(), label.bottom() + 1));
    }
    return frame;
}

// Containers whose children are the window's own controls (not the parts of
// a composite control such as a spin box, list or text box).
bool isContainer(const QWidget* w)
{
    const QMetaObject* m = w->metaObject();
    return w->isWindow() || m == &QWidget::staticMetaObject || m == &QFrame::staticMetaObject
        || m == &QGroupBox::staticMetaObject || m == &QStackedWidget::staticMetaObject;
}

QList<QWidget*> controlsOf(QWidget* container)
{
    QList<QWidget*> out;
    if (auto* mw = qobject_cast<QMainWindow*>(container)) {
        if (mw->centralWidget())
            out << mw->centralWidget();
        return out;
    }
    for (QObject* o : container->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && !w->isWindow() && w->testAttribute(Qt::WA_Resized))
            out << w;
    }
    return out;
}

// A pattern with '*' and '?' wildcards, matched whole and ignoring case.
bool matches(const QString& pattern, const QString& text)
{
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                QRegularExpression::CaseInsensitiveOption);
    return re.match(text).hasMatch();
}

// A control answers to its object name and to its class and caption.
bool names(const QString& pattern, const QWidget* w)
{
    const QString caption = captionOf(w);
    return matches(pattern, w->objectName())
        || matches(pattern, QString::fromLatin1(w->metaObject()->className()) + u' ' + quoted(caption));
}

// The setup window's controls that wrap their captions onto more lines.
Wrap wrapKind(const QWidget* w)
{
    const QString c = QString::fromLatin1(w->metaObject()->className());
    if (c.endsWith(QLatin1String("::WrapPushButton")))
        return Wrap::Button;
    if (c.endsWith(QLatin1String("::WrapCheckBox")) || c.endsWith(QLatin1String("::WrapRadioButton")))
        return Wrap::Mark;
    return Wrap::None;
}

bool isCentralWidget(const QWidget* w)
{
    auto* mw = qobject_cast<const QMainWindow*>(w->parentWidget());
    return mw && mw->centralWidget() == w;
}

class Checker {
public:
    Checker(QWidget* window, const std::vector<AllowedOverlap>& allowed) : window_(window), allowed_(allowed)
    {
        windowName_ = window->objectName().isEmpty() ? QString::fromLatin1(window->metaObject()->className())
                                                     : window->objectName();
        if (!window->windowTitle().isEmpty())
            windowName_ += QStringLiteral(" (") + window->windowTitle() + u')';
    }
    QStringList run()
    {
        walk(window_);
        return faults_;
    }

private:
    QWidget* window_;
    const std::vector<AllowedOverlap>& allowed_;
    QString windowName_;
    QStringList faults_;

    void fault(const QWidget* w, const QString& what)
    {
        faults_ << windowName_ + QStringLiteral(": ") + controlName(w) + QStringLiteral(": ") + what;
    }

    bool allowed(const QWidget* a, const QWidget* b) const
    {
        for (const AllowedOverlap& o : allowed_)
            if (matches(o.window, window_->objectName())
                && ((names(o.first, a) && names(o.second, b)) || (names(o.first, b) && names(o.second, a))))
                return true;
        return false;
    }

    void walk(QWidget* container)
    {
        const QList<QWidget*> all = controlsOf(container);
        QList<QWidget*> shown;
        for (QWidget* w : all) {
            checkCaption(w);
            // A control placed wholly outside its container is never seen.
            if (w->isVisibleTo(window_) && w->geometry().intersects(container->rect()))
                shown << w;
        }
        checkInside(container, shown);
        for (int i = 0; i < shown.size(); ++i)
            for (int j = i + 1; j < shown.size(); ++j) {
                const QRect overlap = inkRect(shown[i]).intersected(inkRect(shown[j]));
                if (!overlap.isEmpty() && !allowed(shown[i], shown[j]))
                    fault(shown[i], QStringLiteral("overlaps ") + controlName(shown[j]) + QStringLiteral(" by ")
                                        + describe(overlap) + QStringLiteral(" px"));
            }
        for (QWidget* w : shown) {
            if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
                checkTabs(tabs->tabBar());
                for (int i = 0; i < tabs->count(); ++i)
                    walk(tabs->widget(i));
            } else if (isContainer(w)) {
                walk(w);
            }
        }
    }

    // Controls must stay inside the window, a group box's frame below its
    // title, and a boxed frame's line.
    void checkInside(QWidget* container, const QList<QWidget*>& shown)
    {
        // A control touching the window's right or bottom edge looks cut off.
        QRect room = container->rect().adjusted(0, 0, -1, -1);
        QString where = QStringLiteral("the window");
        if (auto* g = qobject_cast<QGroupBox*>(container)) {
            room = groupFreeArea(g);
            where = QStringLiteral("the frame and title of ") + controlName(g);
        } else if (!container->isWindow() && qobject_cast<QFrame*>(container)
                   && static_cast<QFrame*>(container)->frameShape() != QFrame::NoFrame) {
            room = container->contentsRect();
            where = QStringLiteral("the frame line of ") + controlName(container);
        } else if (!container->isWindow() && !isCentralWidget(container)) {
            return; // a plain container clips its controls like a window does, but its edges are not drawn
        }
        for (QWidget* w : shown) {
            const QRect ink = inkRect(w);
            if (!isCentralWidget(w) && !room.contains(ink))
                fault(w, QStringLiteral("runs over ") + where + QStringLiteral(" (drawn at ") + rectText(ink)
                             + QStringLiteral(", room ") + rectText(room) + u')');
        }
    }


    void checkCaption(QWidget* w)
    {
        if (const Wrap wrap = wrapKind(w); wrap != Wrap::None) {
            auto* b = static_cast<QAbstractButton*>(w);
            QRect room = b->rect().adjusted(3, 2, -3, -2);
            if (wrap == Wrap::Mark) {
                const QStyleOptionButton opt = buttonOption(b);
                const bool radio = qobject_cast<QRadioButton*>(w) != nullptr;
                const QRect mark = b->style()->subElementRect(
                    radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &opt, b);
                const int gap = b->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &opt, b);
                room = b->rect().adjusted(mark.right() + 1 + gap, 0, 0, 0);
            }
            checkFit(w, textNeed(b->font(), b->text(), room.width(), false, Qt::TextShowMnemonic), room.size());
            return;
        }
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->text().isEmpty() || !l->pixmap().isNull())
                return;
            const int m = l->margin();
            const QRect cr = l->contentsRect().adjusted(m, m, -m, -m);
            const QSize need = textNeed(l->font(), l->text(), l->wordWrap() ? cr.width() : 0, isRich(l),
                                        int(l->alignment()) | (l->buddy() ? Qt::TextShowMnemonic : 0));
            checkFit(w, need, cr.size());
        } else if (auto* b = qobject_cast<QPushButton*>(w)) {
            if (b->text().isEmpty())
                return;
            const QStyleOptionButton opt = buttonOption(b);
            const QRect cr = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
            QSize need = textNeed(b->font(), b->text(), 0, false, Qt::TextShowMnemonic);
            if (!b->icon().isNull())
                need.rwidth() += b->iconSize().width() + 4;
            checkFit(w, need, cr.size());
        } else if (qobject_cast<QRadioButton*>(w) || qobject_cast<QCheckBox*>(w)) {
            auto* box = static_cast<QAbstractButton*>(w);
            if (box->text().isEmpty())
                return;
            const bool radio = qobject_cast<QRadioButton*>(w) != nullptr;
            const QStyleOptionButton opt = buttonOption(box);
            const QRect cr = box->style()->subElementRect(
                radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &opt, box);
            checkFit(w, textNeed(box->font(), box->text(), 0, false, Qt::TextShowMnemonic),
                     QSize(cr.width(), box->height()));
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            if (g->title().isEmpty())
                return;
            const QStyleOptionGroupBox opt = groupOption(g);
            const QRect label = g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
            if (label.right() >= g->width() - 1)
                fault(w, QStringLiteral("title needs ") + QString::number(label.right() + 2)
                             + QStringLiteral(" px, the box is ") + QString::number(g->width()));
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            if (!e->isReadOnly() || e->text().isEmpty())
                return;
            // A line box keeps a couple of pixels between its frame and the text.
            const QRect cr = e->contentsRect().marginsRemoved(e->textMargins()).adjusted(2, 0, -2, 0);
            checkFit(w, textNeed(e->font(), e->text(), 0, false, 0), cr.size());
        }
    }

    void checkFit(const QWidget* w, const QSize& need, const QSize& room)
    {
        if (need.width() > room.width() || need.height() > room.height() + kHeightSlack)
            fault(w, QStringLiteral("caption needs ") + describe(QRect(QPoint(), need)) + QStringLiteral(" px, has ")
                         + describe(QRect(QPoint(), room)));
    }

    void checkTabs(QTabBar* bar)
    {
        const int padding = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
        for (int i = 0; i < bar->count(); ++i) {
            const QRect r = bar->tabRect(i);
            const int need = textNeed(bar->font(), bar->tabText(i), 0, false, Qt::TextShowMnemonic).width() + padding;
            const int has = std::min(r.width(), bar->width() - r.left());
            if (has < need)
                faults_ << windowName_ + QStringLiteral(": tab ") + quoted(bar->tabText(i))
                               + QStringLiteral(": caption needs ") + QString::number(need)
                               + QStringLiteral(" px, has ") + QString::number(has);
        }
    }
};

} // namespace

QString controlName(const QWidget* w)
{
    if (!w->objectName().isEmpty())
        return w->objectName();
    const QString caption = captionOf(w);
    return QString::fromLatin1(w->metaObject()->className()) + (caption.isEmpty() ? QString() : u' ' + quoted(caption));
}

QRect inkRect(const QWidget* w)
{
    if (auto* l = qobject_cast<const QLabel*>(w); l && !paintsWholeRect(w))
        return labelTextRect(l).translated(w->pos());
    if (auto* b = qobject_cast<const QAbstractButton*>(w);
        b && (qobject_cast<const QRadioButton*>(w) || qobject_cast<const QCheckBox*>(w)) && !w->autoFillBackground())
        return markAndCaption(b).translated(w->pos());
    return w->geometry();
}

QStringList windowFaults(QWidget* window, const std::vector<AllowedOverlap>& allowed)
{
    return Checker(window, allowed).run();
}

QStringList tabStopFaults(QWidget* window)
{
    QStringList faults;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || !(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled() || !w->isVisibleTo(window))
            continue;
        // What is left of it once every container up to the window has
        // clipped it.
        QRect seen = w->rect();
        for (const QWidget* c = w; c != window; c = c->parentWidget())
            seen = seen.translated(c->pos()).intersected(c->parentWidget()->rect());
        if (seen.isEmpty())
            faults << window->objectName() + QStringLiteral(": ") + controlName(w)
                          + QStringLiteral(": takes a Tab stop but is not on screen (at ")
                          + rectText(QRect(w->mapTo(window, QPoint(0, 0)), w->size())) + QStringLiteral(", window ")
                          + rectText(window->rect()) + u')';
    }
    return faults;
}

} // namespace layoutcheck

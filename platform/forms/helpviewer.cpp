#include "platform/forms/helpviewer.h"

#include "platform/forms/dialogkeys.h"
#include "platform/forms/pictures.h"
#include "platform/forms/programlook.h"
#include "platform/helpfile.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTextBoundaryFinder>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace orv {

namespace {

QPointer<HelpViewer>& viewer()
{
    static QPointer<HelpViewer> v;
    return v;
}

QString unreadableHelp(const QString& why)
{
    return QStringLiteral("The help file cannot be read: %1 (%2).").arg(QDir::toNativeSeparators(helpFilePath()), why);
}

QString unshowableTopic(const QString& why)
{
    return QStringLiteral("This help topic cannot be shown: %1 (%2).")
        .arg(QDir::toNativeSeparators(helpFilePath()), why);
}

// The topic's text box. The help file is input: its text is only ever put
// in as escaped text, and should markup get in all the same, the box fetches
// nothing it names (no picture, no style sheet, no file of any kind).
class TopicBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int, const QUrl&) override { return {}; }
};

// The list's entries are one line each, as wide as the list shows them: a
// title too long for that ends in an ellipsis instead of widening the list.
class OneLineEntries : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {0, QStyledItemDelegate::sizeHint(option, index).height()};
    }
};

// The heading with a break allowed between the characters (graphemes) of
// each word wider than `room` pixels, by a zero-width space: a label wraps
// only between words, and one word wider than the window would widen it,
// past the screen for a long enough one.
QString breakableHeading(const QString& heading, const QFontMetrics& metrics, int room)
{
    QString out;
    qsizetype wordStart = 0;
    const auto addWord = [&](qsizetype end) {
        const QString word = heading.mid(wordStart, end - wordStart);
        if (metrics.horizontalAdvance(word) <= room) {
            out += word;
            return;
        }
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, word);
        qsizetype at = 0;
        for (qsizetype next = graphemes.toNextBoundary(); next > 0; next = graphemes.toNextBoundary()) {
            if (at > 0)
                out += QChar(0x200B);
            out += word.mid(at, next - at);
            at = next;
        }
    };
    for (qsizetype i = 0; i < heading.size(); ++i) {
        if (heading[i].isSpace()) {
            addWord(i);
            out += heading[i];
            wordStart = i + 1;
        }
    }
    addWord(heading.size());
    return out;
}

// A line of running text as HTML, its references to known topics as links.
QString linkedLine(const QString& line, const QHash<QString, int>& topics)
{
    QString html;
    qsizetype at = 0;
    for (const HelpReference& r : helpReferences(line)) {
        const QString title = line.mid(r.start, r.length);
        const auto topic = topics.constFind(title);
        if (topic == topics.cend())
            continue;
        html += line.mid(at, r.start - at).toHtmlEscaped();
        html += QStringLiteral("<a href=\"topic:%1\">%2</a>").arg(*topic).arg(title.toHtmlEscaped());
        at = r.start + r.length;
    }
    return html + line.mid(at).toHtmlEscaped();
}

} // namespace

void setHelpText(QTextEdit* box, const QString& text, const QHash<QString, int>& topics)
{
    const QString mono = fixedPitchFamily();
    QString html;
    for (const HelpBlock& b : helpTextBlocks(text)) {
        if (b.table) {
            html += QStringLiteral("<pre style=\"font-family: '%1'; white-space: pre-wrap;\">%2</pre>")
                        .arg(mono, b.lines.join(u'\n').toHtmlEscaped());
        } else {
            QStringList lines;
            for (const QString& line : b.lines)
                lines << linkedLine(line, topics);
            html += QStringLiteral("<div style=\"white-space: pre-wrap;\">%1</div>").arg(lines.join(u'\n'));
        }
    }
    box->setHtml(html);
}

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent)
{
    setWindowIcon(programIcon());
    setWindowTitle(QStringLiteral("Orvanto Help"));
    auto* lay = new QVBoxLayout(this);
    title_ = new QLabel(this);
    QFont f = title_->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    title_->setFont(f);
    title_->setWordWrap(true);
    title_->setTextFormat(Qt::PlainText); // a title from the file is never markup
    pages_ = new QStackedWidget(this);
    contents_ = new QListWidget(pages_);
    contents_->setUniformItemSizes(true); // a file of many topics lists at once
    contents_->setItemDelegate(new OneLineEntries(contents_));
    contents_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    contents_->installEventFilter(this);
    connect(contents_, &QListWidget::itemClicked, this, &HelpViewer::openItem);
    text_ = new TopicBrowser(pages_);
    text_->setOpenLinks(false);
    connect(text_, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        if (link.scheme() == QLatin1String("topic"))
            showTopic(link.path().toInt());
    });
    pages_->addWidget(contents_);
    pages_->addWidget(text_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    contentsButton_ = buttons->addButton(QStringLiteral("C&ontents"), QDialogButtonBox::ActionRole);
    connect(contentsButton_, &QPushButton::clicked, this, &HelpViewer::showContents);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    lay->addWidget(title_);
    lay->addWidget(pages_, 1);
    lay->addWidget(buttons);
    resize(560, 480);
}

const HelpFile* HelpViewer::helpFile(QString* why)
{
    // Read once for the window, not at every click: reading a large file
    // takes far longer than a click may. Another program folder is another
    // file.
    if (const QString path = helpFilePath(); path != helpPath_) {
        helpPath_ = path;
        helpError_.clear();
        help_ = readHelp(path, &helpError_);
        contents_->clear();
        listed_ = false;
    }
    *why = helpError_;
    return help_ ? &*help_ : nullptr;
}

void HelpViewer::setHeading(const QString& heading)
{
    // The heading's room: the window's width, or the screen's where that is less.
    int room = width();
    if (const QScreen* s = screen())
        room = std::min(room, s->availableGeometry().width() - (frameGeometry().width() - width()));
    const QMargins margins = layout()->contentsMargins();
    title_->setText(breakableHeading(heading, title_->fontMetrics(), room - margins.left() - margins.right()));
    keepOnScreen();
}

void HelpViewer::showMessage(const QString& title, const QString& text)
{
    setHeading(title);
    text_->setPlainText(text);
    pages_->setCurrentWidget(text_);
}

void HelpViewer::showTopic(int topic)
{
    topic_ = lastTopic_ = topic;
    contentsButton_->setEnabled(true);
    QString why;
    const HelpFile* help = helpFile(&why);
    if (!help) {
        showMessage(QStringLiteral("Help topic %1").arg(topic), unreadableHelp(why));
        return;
    }
    const HelpTopic* t = help->find(topic);
    if (!t) {
        const QString damage = helpMissingTopicDamage(*help);
        showMessage(QStringLiteral("Help topic %1").arg(topic),
                    damage.isEmpty() ? QStringLiteral("There is no help text for this topic yet.")
                                     : unshowableTopic(damage));
        return;
    }
    if (const QString damage = helpTopicDamage(*t); !damage.isEmpty()) {
        showMessage(helpTopicHeading(*t), unshowableTopic(damage));
        return;
    }
    setHeading(helpTopicHeading(*t));
    setHelpText(text_, t->text, help->numbersByTitle);
    pages_->setCurrentWidget(text_);
}

void HelpViewer::showContents()
{
    topic_ = 0;
    contentsButton_->setEnabled(false);
    QString why;
    const HelpFile* help = helpFile(&why);
    if (!help) {
        showMessage(QStringLiteral("Contents"), unreadableHelp(why));
        return;
    }
    if (!listed_) {
        // All at once: one by one, the list lays itself out again at every
        // entry.
        QStringList headings;
        headings.reserve(help->topics.size());
        for (const HelpTopic& t : help->topics)
            headings << helpTopicHeading(t);
        contents_->addItems(headings);
        listed_ = true;
    }
    setHeading(QStringLiteral("Contents"));
    contents_->setCurrentRow(int(std::max<qsizetype>(help->indexOf(lastTopic_), 0)));
    pages_->setCurrentWidget(contents_);
    contents_->setFocus();
}

void HelpViewer::keepOnScreen()
{
    const QScreen* s = screen();
    if (!s)
        return;
    // The layout grows the window to what its parts need; let it now, so
    // that what is checked below is the size the window takes.
    layout()->activate();
    const QRect room = s->availableGeometry();
    const QRect frame = frameGeometry();
    const QSize extra = frame.size() - size(); // the frame's borders and caption
    const QSize most = room.size() - extra;
    if (width() > most.width() || height() > most.height())
        resize(size().boundedTo(most));
    const QRect now = frameGeometry();
    const QPoint at(std::clamp(now.x(), room.left(), std::max(room.left(), room.right() + 1 - now.width())),
                    std::clamp(now.y(), room.top(), std::max(room.top(), room.bottom() + 1 - now.height())));
    // Before it shows, the dialog still centres itself; a move would stop that.
    if (isVisible() && at != now.topLeft())
        move(at);
}

void HelpViewer::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    keepOnScreen();
}

void HelpViewer::openItem(const QListWidgetItem* item)
{
    // The list holds the file's topics in their order, entry for entry.
    const int row = item ? contents_->row(item) : -1;
    if (!help_ || !listed_ || row < 0 || row >= help_->topics.size())
        return;
    // The focus goes on with the reader into the topic, where Tab reaches
    // its links, not to whatever follows the hidden list.
    const bool focused = contents_->hasFocus();
    showTopic(help_->topics[row].number);
    if (focused)
        text_->setFocus();
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event)
{
    // Enter opens the current entry of the list, and goes no further: the
    // window would otherwise press a button with it as well.
    if (watched == contents_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isEnterKey(key) && contents_->currentItem()) {
            openItem(contents_->currentItem());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool HelpViewer::showingContents() const { return pages_->currentWidget() == contents_; }
QString HelpViewer::shownTitle() const
{
    // The label's plain text as shown, without the zero-width spaces that
    // breakableHeading puts into a long word.
    return title_->text().remove(QChar(0x200B));
}
QString HelpViewer::shownText() const
{
    if (pages_->currentWidget() == contents_) {
        QStringList titles;
        for (int i = 0; i < contents_->count(); ++i)
            titles << contents_->item(i)->text();
        return titles.join(u'\n');
    }
    return text_->toPlainText();
}

namespace {

// The one viewer, made when there is none; in front of a modal window that
// is open, so that it takes input meanwhile.
HelpViewer* viewerToShow()
{
    // A closed viewer is already on its way to deletion (at the next pass of
    // the event loop): never show that one again, make a new one.
    if (viewer() && !viewer()->isVisible())
        viewer() = nullptr;
    if (!viewer()) {
        viewer() = new HelpViewer;
        viewer()->setAttribute(Qt::WA_DeleteOnClose);
    }
    // Opened from a modal window (F1 there), the help stands in front of it
    // and takes input while that window is open; it stays when it closes.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != viewer()) {
        viewer()->winId();
        modal->winId();
        viewer()->windowHandle()->setTransientParent(modal->windowHandle());
    }
    return viewer();
}

void bringForward(HelpViewer* v)
{
    v->show();
    v->raise();
    v->activateWindow();
}

} // namespace

void showHelpTopic(int topic)
{
    HelpViewer* v = viewerToShow();
    v->showTopic(topic);
    bringForward(v);
}

void showHelpContents()
{
    HelpViewer* v = viewerToShow();
    v->showContents();
    bringForward(v);
}

HelpViewer* currentHelpViewer() { return viewer(); }

} // namespace orv

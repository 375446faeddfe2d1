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
#include <QStackedWidget>
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

void HelpViewer::showMessage(const QString& title, const QString& text)
{
    title_->setText(title);
    text_->setPlainText(text);
    pages_->setCurrentWidget(text_);
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
    title_->setText(helpTopicHeading(*t));
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
    title_->setText(QStringLiteral("Contents"));
    contents_->setCurrentRow(int(std::max<qsizetype>(help->indexOf(lastTopic_), 0)));
    pages_->setCurrentWidget(contents_);
    contents_->setFocus();
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
QString HelpViewer::shownTitle() const { return title_->text(); }
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

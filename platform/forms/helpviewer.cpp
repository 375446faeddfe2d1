#include "platform/forms/helpviewer.h"

#include "platform/forms/programlook.h"

#include "platform/forms/pictures.h"
#include "platform/helpfile.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWindow>

namespace orv {

namespace {
QPointer<HelpViewer>& viewer()
{
    static QPointer<HelpViewer> v;
    return v;
}
}

void setHelpText(QTextEdit* box, const QString& text)
{
    const QString mono = fixedPitchFamily();
    QString html;
    for (const HelpBlock& b : helpTextBlocks(text)) {
        const QString body = b.lines.join(u'\n').toHtmlEscaped();
        if (b.table)
            html += QStringLiteral("<pre style=\"font-family: '%1'; white-space: pre-wrap;\">%2</pre>").arg(mono, body);
        else
            html += QStringLiteral("<div style=\"white-space: pre-wrap;\">%1</div>").arg(body);
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
    text_ = new QTextBrowser(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    lay->addWidget(title_);
    lay->addWidget(text_, 1);
    lay->addWidget(buttons);
    resize(560, 480);
}

void HelpViewer::showTopic(int topic)
{
    topic_ = topic;
    if (auto t = readHelpTopic(helpFilePath(), topic)) {
        title_->setText(t->title);
        setHelpText(text_, t->text);
    } else {
        title_->setText(QStringLiteral("Help topic %1").arg(topic));
        text_->setPlainText(QStringLiteral("There is no help text for this topic yet."));
    }
}

QString HelpViewer::shownTitle() const { return title_->text(); }
QString HelpViewer::shownText() const { return text_->toPlainText(); }

void showHelpTopic(int topic)
{
    // A closed viewer is already on its way to deletion (at the next pass of
    // the event loop): never show that one again, make a new one.
    if (viewer() && !viewer()->isVisible())
        viewer() = nullptr;
    if (!viewer()) {
        viewer() = new HelpViewer;
        viewer()->setAttribute(Qt::WA_DeleteOnClose);
    }
    viewer()->showTopic(topic);
    // Opened from a modal window (F1 there), the help stands in front of it
    // and takes input while that window is open; it stays when it closes.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != viewer()) {
        viewer()->winId();
        modal->winId();
        viewer()->windowHandle()->setTransientParent(modal->windowHandle());
    }
    viewer()->show();
    viewer()->raise();
    viewer()->activateWindow();
}

HelpViewer* currentHelpViewer() { return viewer(); }

} // namespace orv

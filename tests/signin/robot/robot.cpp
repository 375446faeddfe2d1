// A student at the keyboard of the real student program, for the tests that
// start the built program as a child process: preloaded into it
// (LD_PRELOAD), it presses through the windows as ORV_ROBOT says and
// reports on its output. Nothing of the program is linked in; windows are
// found by their class names, controls and menu entries by object names.
//
// ORV_ROBOT: steps separated by ";", each "window:action[:name[:text]]",
// taken in turn, each once its window is visible:
//   click:NAME       presses the button NAME (an object name, or the caption
//                    as written, "&Continue")
//   type:NAME:TEXT   puts TEXT into the line edit NAME (empty: the first one)
//   accept           accepts the dialog (a file dialog's Open)
//   menu:NAME        triggers the menu entry NAME (as "mnuPhysPropItem1")
//   close            closes the window
//   ready:LABEL      writes "READY LABEL" on a line of the standard output
//   quit             sends the application the Quit event, as a session
//                    manager's order to end the session does
// Presses and menu entries run from the event loop, so a modal window they
// open does not stop the robot: it goes on in the window's own loop. Every
// change of the visible windows is written as "WINDOWS a,b,c".
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QLineEdit>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

struct Robot {
    QStringList steps;
    int next = 0;
    QString lastWindows;
};

Robot& robot()
{
    static Robot r;
    return r;
}

QString className(const QWidget* w)
{
    const QString full = QString::fromLatin1(w->metaObject()->className());
    return full.mid(full.lastIndexOf(u':') + 1);
}

QWidget* visibleWindow(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && (className(w) == name || w->objectName() == name))
            return w;
    return nullptr;
}

void say(const QString& line)
{
    std::fprintf(stdout, "%s\n", qPrintable(line));
    std::fflush(stdout);
}

void traceWindows()
{
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            names << className(w);
    names.sort();
    const QString line = names.join(u',');
    if (line != robot().lastWindows) {
        robot().lastWindows = line;
        say(QStringLiteral("WINDOWS ") + line);
    }
}

QAbstractButton* button(QWidget* w, const QString& name)
{
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
        if (b->objectName() == name || b->text() == name)
            return b;
    return nullptr;
}

void tick()
{
    traceWindows();
    Robot& r = robot();
    if (r.next >= r.steps.size())
        return;
    const QStringList parts = r.steps[r.next].split(u':');
    QWidget* w = visibleWindow(parts.value(0));
    if (!w)
        return;
    ++r.next;
    const QString action = parts.value(1), name = parts.value(2);
    if (action == QLatin1String("click")) {
        if (auto* b = button(w, name))
            QMetaObject::invokeMethod(b, &QAbstractButton::click, Qt::QueuedConnection);
        else
            say(QStringLiteral("MISSING ") + name);
    } else if (action == QLatin1String("type")) {
        if (auto* e = name.isEmpty() ? w->findChild<QLineEdit*>() : w->findChild<QLineEdit*>(name))
            e->setText(parts.mid(3).join(u':'));
        else
            say(QStringLiteral("MISSING ") + name);
    } else if (action == QLatin1String("menu")) {
        if (auto* a = w->findChild<QAction*>(name))
            QMetaObject::invokeMethod(a, &QAction::trigger, Qt::QueuedConnection);
        else
            say(QStringLiteral("MISSING ") + name);
    } else if (action == QLatin1String("accept")) {
        if (auto* d = qobject_cast<QDialog*>(w))
            QMetaObject::invokeMethod(d, &QDialog::accept, Qt::QueuedConnection);
    } else if (action == QLatin1String("close")) {
        QMetaObject::invokeMethod(w, &QWidget::close, Qt::QueuedConnection);
    } else if (action == QLatin1String("quit")) {
        QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::Quit));
    } else if (action == QLatin1String("ready")) {
        say(QStringLiteral("READY ") + name);
    }
}

void startRobot()
{
    robot().steps = qEnvironmentVariable("ORV_ROBOT").split(u';', Qt::SkipEmptyParts);
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [] { tick(); });
    timer->start(20);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startRobot)

#include "platform/forms/formregistry.h"

#include "platform/runtime.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QHash>
#include <QList>
#include <utility>

namespace orv::forms {

namespace {

struct Entry {
    QString name;
    QPointer<QWidget> widget;
    bool closing = false;
};

QList<Entry>& entries()
{
    static QList<Entry> e;
    return e;
}
QHash<QString, Factory>& factories()
{
    static QHash<QString, Factory> f;
    return f;
}

// Windows closed during a nested wait: hidden, forgotten by name, and
// deleted once the outermost wait has returned. Deleting them at once would
// free a window whose handler (the one that started the wait, or Qt's own
// dispatch around it) is still running.
QList<QPointer<QWidget>>& buried()
{
    static QList<QPointer<QWidget>> b;
    return b;
}

void deleteBuried()
{
    const QList<QPointer<QWidget>> all = std::exchange(buried(), {});
    for (const QPointer<QWidget>& w : all)
        if (w)
            w->deleteLater(); // runs when the event loop that posted it is back
}

// A window is deleted later: at once (from the event loop) when no wait is
// active, after the waits otherwise.
void deleteWhenSafe(QWidget* w)
{
    if (nestedWaitDepth() == 0) {
        w->deleteLater();
        return;
    }
    setWaitsEndedHook(deleteBuried);
    buried().append(w);
}

void forget(QWidget* w)
{
    auto& e = entries();
    for (int i = e.size() - 1; i >= 0; --i)
        if (e[i].widget == w || e[i].widget.isNull())
            e.removeAt(i);
}

// Watches close and hide: a window that accepted its close is unloaded.
class Watcher : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* ev) override
    {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w)
            return false;
        for (Entry& e : entries()) {
            if (e.widget != w)
                continue;
            if (ev->type() == QEvent::Close)
                e.closing = true;
            else if (ev->type() == QEvent::Show)
                e.closing = false;
            else if (ev->type() == QEvent::Hide && e.closing && w->testAttribute(Qt::WA_DeleteOnClose)) {
                forget(w);
                if (nestedWaitDepth() > 0) {
                    // Qt would delete it as soon as the wait's event loop
                    // runs again; it goes when the waits are over instead.
                    w->setAttribute(Qt::WA_DeleteOnClose, false);
                    deleteWhenSafe(w);
                }
                break;
            }
        }
        return false;
    }
};

Watcher* watcher()
{
    static Watcher* w = new Watcher;
    return w;
}

} // namespace

QString formName(const QMetaObject* meta)
{
    const QString full = QString::fromLatin1(meta->className());
    return full.mid(full.lastIndexOf(u':') + 1);
}

void registerForm(FormName name, Factory factory) { factories().insert(name.toString(), std::move(factory)); }
bool isRegistered(FormName name) { return factories().contains(name.toString()); }

QWidget* find(FormName name) { return detail::find(name.toString()); }

QWidget* detail::find(const QString& name)
{
    for (const Entry& e : entries())
        if (e.name == name && e.widget && !e.closing)
            return e.widget;
    return nullptr;
}

void adopt(QWidget* w)
{
    forget(w);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->installEventFilter(watcher());
    entries().append({formName(w->metaObject()), w, false});
}

QWidget* load(FormName name)
{
    if (QWidget* w = find(name))
        return w;
    auto it = factories().constFind(name.toString());
    if (it == factories().constEnd())
        return nullptr;
    QWidget* w = (*it)();
    if (w && !find(name))
        adopt(w);
    return w;
}

bool unload(QWidget* w)
{
    if (!w)
        return true;
    QPointer<QWidget> guard(w);
    const bool closed = w->close();
    if (!closed)
        return false;
    if (guard) {
        forget(w);
        if (!w->testAttribute(Qt::WA_DeleteOnClose))
            deleteWhenSafe(w);
    }
    return true;
}

bool unload(FormName name) { return unload(find(name)); }

void closeRefused(QWidget* w)
{
    for (Entry& e : entries())
        if (e.widget == w)
            e.closing = false;
}

void unloadAll()
{
    // A window's close may load another (a progress report hands over to the
    // main window, the main window to the quit window): those go as well, or
    // they would live on unregistered and never be deleted.
    constexpr int kRounds = 8;
    for (int round = 0; round < kRounds; ++round) {
        forget(nullptr); // the windows already deleted
        if (entries().isEmpty())
            break;
        QList<QPointer<QWidget>> all;
        for (const Entry& e : entries())
            all.append(e.widget);
        for (int i = all.size() - 1; i >= 0; --i)
            if (all[i] && !unload(all[i].data()))
                forget(all[i].data()); // it refused: forgotten, as before
    }
    entries().clear();
}

namespace {
class ModalEnd : public QObject {
public:
    explicit ModalEnd(QEventLoop* loop) : loop_(loop) {}
    bool eventFilter(QObject*, QEvent* ev) override
    {
        if (ev->type() == QEvent::Hide)
            loop_->quit();
        return false;
    }
private:
    QEventLoop* loop_;
};
}

void showModal(QWidget* w)
{
    if (!w || windowsWithheld())
        return;
    QPointer<QWidget> guard(w);
    w->setWindowModality(Qt::ApplicationModal);
    w->show();
    w->raise();
    w->activateWindow();
    if (!w->isVisible())
        return;
    const NestedWait wait;
    QEventLoop loop;
    ModalEnd end(&loop);
    w->installEventFilter(&end);
    QObject::connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
    if (guard) {
        guard->removeEventFilter(&end);
        guard->setWindowModality(Qt::NonModal);
    }
}

bool showModal(FormName name)
{
    QWidget* w = load(name);
    if (!w)
        return false;
    showModal(w);
    return true;
}

void showModeless(QWidget* w)
{
    if (!w || windowsWithheld())
        return;
    w->setWindowModality(Qt::NonModal);
    w->show();
    w->raise();
    w->activateWindow();
}

QList<QWidget*> loadedForms()
{
    QList<QWidget*> out;
    for (const Entry& e : entries())
        if (e.widget && !e.closing)
            out.append(e.widget);
    return out;
}

} // namespace orv::forms

#pragma once
// Single-instance windows, as the programs use them: a window is created on
// first use, kept until it is unloaded, and found again by its class name.
// Windows close with WA_DeleteOnClose; closing one (by code or by its close
// box) unloads it, and the next use creates a fresh instance.
#include "platform/formnames.h"
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

namespace orv::forms {

using Factory = std::function<QWidget*()>;

// By the name as text; windows use the FormName functions below.
namespace detail {
QWidget* find(const QString& name);
}

// Lets windows of other subsystems be opened by name without a link to them.
void registerForm(FormName name, Factory factory);
bool isRegistered(FormName name);

// The loaded instance, or nullptr.
QWidget* find(FormName name);
// The loaded instance, created through its factory when needed; nullptr when
// no factory is registered.
QWidget* load(FormName name);
// Adopts a window created by the caller as the instance of its class name.
void adopt(QWidget* w);

// A window's name: its class name without any namespace ("orv::frmX" is
// known as "frmX").
QString formName(const QMetaObject* meta);

// Typed access: the loaded instance or a new one.
template <class T> T* instance()
{
    const QString name = formName(&T::staticMetaObject);
    if (auto* w = qobject_cast<T*>(detail::find(name)))
        return w;
    auto* w = new T();
    adopt(w);
    return w;
}
template <class T> T* loaded() { return qobject_cast<T*>(detail::find(formName(&T::staticMetaObject))); }

// Closes the window (its close handling runs) and forgets it. Returns false
// when the window refused to close.
bool unload(QWidget* w);
bool unload(FormName name);
// For a window's close handler that refuses the close (ignores the event):
// the window is known by its name again (during its close it is not).
void closeRefused(QWidget* w);
void unloadAll();

// Shows the window modally and returns once it is hidden or unloaded. While
// windows are withheld (NoWindows) these show nothing and return at once.
void showModal(QWidget* w);
// By name: false when the window is not built into this program.
bool showModal(FormName name);
// Shows the window modeless.
void showModeless(QWidget* w);

// Every window currently loaded, oldest first.
QList<QWidget*> loadedForms();

} // namespace orv::forms

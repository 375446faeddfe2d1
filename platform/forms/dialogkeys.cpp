#include "platform/forms/dialogkeys.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <QWidget>

namespace orv {

bool isEnterKey(const QKeyEvent* key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

namespace {

const QString kKeysName = QStringLiteral("orvDialogKeys");

bool press(QAbstractButton* b)
{
    if (!b || !b->isVisible() || !b->isEnabled())
        return false;
    b->click();
    return true;
}

// The window's focused push or tool button, when it may be pressed.
bool pressFocusedButton(QWidget* window)
{
    QWidget* focused = window ? window->focusWidget() : nullptr;
    if (!focused || focused->window() != window
        || !(qobject_cast<QPushButton*>(focused) || qobject_cast<QToolButton*>(focused)))
        return false;
    return press(static_cast<QAbstractButton*>(focused));
}

// Found again by its name: without a meta-object of its own it cannot be
// told from the window's other children by type.
class DialogKeys : public QObject {
public:
    explicit DialogKeys(QWidget* window) : QObject(window), window_(window)
    {
        setObjectName(kKeysName);
        window->installEventFilter(this);
    }

    QPointer<QAbstractButton> defaultButton;
    QPointer<QAbstractButton> cancelButton;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Keys the focused control left unused arrive here on their way up.
        if (watched != window_ || event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const auto mods = key->modifiers() & ~Qt::KeypadModifier;
        // A focused button took its Enter before (installFocusedButtonEnter):
        // one key presses one button once.
        if (isEnterKey(key))
            return press(defaultButton);
        if (key->key() == Qt::Key_Escape && mods == Qt::NoModifier)
            return press(cancelButton);
        return false;
    }

private:
    QWidget* window_;
};

// Enter on a focused button of any window, dialogs included: the key reaches
// the window only when the button left it unused.
class FocusedButtonEnter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        auto* window = static_cast<QWidget*>(watched);
        return window->isWindow() && isEnterKey(static_cast<QKeyEvent*>(event)) && pressFocusedButton(window);
    }
};

class AccessKeyGuard : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !isUnmatchedAccessKey(static_cast<QKeyEvent*>(event)))
            return false;
        // An editable combo box hands its keys to its line edit itself.
        if (auto* combo = qobject_cast<QComboBox*>(watched))
            return combo->isEditable();
        return qobject_cast<QLineEdit*>(watched) || qobject_cast<QAbstractSpinBox*>(watched)
            || qobject_cast<QTextEdit*>(watched) || qobject_cast<QPlainTextEdit*>(watched);
    }
};

DialogKeys* keysOf(const QWidget* window)
{
    return window ? static_cast<DialogKeys*>(window->findChild<QObject*>(kKeysName, Qt::FindDirectChildrenOnly))
                  : nullptr;
}

DialogKeys* ensureKeys(QWidget* window)
{
    installFocusedButtonEnter(); // a focused button before the window's own
    DialogKeys* keys = keysOf(window);
    return keys ? keys : new DialogKeys(window);
}

} // namespace

void setDefaultButton(QWidget* window, QAbstractButton* button)
{
    if (!window)
        return;
    DialogKeys* keys = ensureKeys(window);
    if (auto* old = qobject_cast<QPushButton*>(keys->defaultButton.data()))
        old->setDefault(false);
    keys->defaultButton = button;
    if (auto* push = qobject_cast<QPushButton*>(button))
        push->setDefault(true);
}

void setCancelButton(QWidget* window, QAbstractButton* button)
{
    if (window)
        ensureKeys(window)->cancelButton = button;
}

void setContinueButton(QWidget* window, QAbstractButton* button)
{
    setDefaultButton(window, button);
    setCancelButton(window, button);
}

QAbstractButton* defaultButton(const QWidget* window)
{
    const DialogKeys* keys = keysOf(window);
    return keys ? keys->defaultButton.data() : nullptr;
}

QAbstractButton* cancelButton(const QWidget* window)
{
    const DialogKeys* keys = keysOf(window);
    return keys ? keys->cancelButton.data() : nullptr;
}

void installFocusedButtonEnter()
{
    static FocusedButtonEnter* filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new FocusedButtonEnter(qApp);
    qApp->installEventFilter(filter);
}

bool isUnmatchedAccessKey(const QKeyEvent* key)
{
    const auto mods = key->modifiers();
    return (mods & Qt::AltModifier) && !(mods & Qt::ControlModifier) && !(mods & Qt::MetaModifier)
        && !key->text().isEmpty() && key->text().at(0).isPrint();
}

bool typesCharacter(const QKeyEvent* key)
{
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    const auto mods = key->modifiers();
    const bool altGr = (mods & Qt::ControlModifier) && (mods & Qt::AltModifier);
    return altGr || !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

void installAccessKeyGuard()
{
    static AccessKeyGuard* guard = nullptr;
    if (guard || !qApp)
        return;
    guard = new AccessKeyGuard(qApp);
    qApp->installEventFilter(guard);
}

} // namespace orv

#include "core/forms/passwordbox.h"

#include "core/modorvan.h"
#include "core/passwordentry.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/geometry.h"
#include "platform/twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace orv {

PasswordBox::PasswordBox(QWidget* parent, QPushButton* continueButton) : QLineEdit(parent), continue_(continueButton)
{
    setEchoMode(QLineEdit::Password);
    setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    setMaxLength(20);
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[ -~]*")), this));
}

void PasswordBox::keyPressEvent(QKeyEvent* e)
{
    // Tab and Shift+Tab move to the next control before they get here; Tab
    // arrives only when there is none, and is then a refused character.
    const QString text = e->text();
    // Keys without a character (arrows, Home, Delete) work as usual.
    if (text.size() != 1) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const int code = text[0].unicode();
    // Escape is the window's Cancel where it shows one; only otherwise is it
    // a refused character.
    if (code == 27) {
        const QAbstractButton* cancel = cancelButton(window());
        if (cancel && cancel->isVisible() && cancel->isEnabled()) {
            e->ignore();
            return;
        }
    }
    switch (passwordKeyAction(code)) {
    case PasswordKey::Continue:
        e->accept();
        continue_->click();
        return;
    case PasswordKey::Refuse:
        e->accept();
        if (isTrue(modOrvan.SoundOn))
            QApplication::beep();
        return;
    case PasswordKey::Take: QLineEdit::keyPressEvent(e); return;
    }
}

void placePasswordLabel(QLabel* label, int leftTw, int widthTw)
{
    QFont f = label->font();
    f.setPointSize(8);
    label->setFont(f);
    const int needed = label->heightForWidth(px(widthTw));
    placeControl(label, leftTw, 100, widthTw, std::max(450, static_cast<int>(twips(needed))));
}

} // namespace orv

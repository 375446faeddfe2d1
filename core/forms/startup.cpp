#include "core/forms/startup.h"

#include "core/modorvan.h"
#include "platform/forms/pictures.h"
#include "platform/msgbox.h"
#include "platform/runtime.h"

#include <QApplication>
#include <QLabel>

namespace orv {

int runStudentProgram(int, char**)
{
    SingleInstance single(QStringLiteral("orvantos"));
    if (!single.tryLock()) {
        MsgBox(QStringLiteral("Orvanto already loaded"), MsgButtons::OkOnly, MsgIcon::Exclamation);
        return 0;
    }
    InitProgram();
    ResetProgress();
    QLabel w(QStringLiteral("Orvanto"));
    w.setWindowIcon(programIcon());
    w.resize(400, 200);
    w.show();
    return QApplication::exec();
}

} // namespace orv

#include "platform/forms/programlook.h"
#include "platform/forms/widgetservices.h"
#include "platform/programfolder.h"
#include "setup/forms/registersetup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanto setup"));
    orv::useProgramLook();
    orv::installWidgetServices();
    orv::removeStaleProgramTemporaries();
    orv::registerSetupForms();
    return orv::runSetupProgram();
}

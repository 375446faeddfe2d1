#include "platform/forms/programlook.h"
#include "platform/forms/systemend.h"
#include "platform/forms/widgetservices.h"
#include "platform/programfolder.h"
#include "setup/forms/registersetup.h"
#include "setup/forms/setupend.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanto setup"));
    orv::useProgramLook();
    orv::installWidgetServices();
    orv::removeStaleProgramTemporaries();
    orv::registerSetupForms();
    orv::watchForSystemEnd(orv::setupSystemEndRoad());
    return orv::runSetupProgram();
}

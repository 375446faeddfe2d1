#include "platform/forms/programlook.h"
#include "platform/forms/systemend.h"
#include "platform/forms/widgetservices.h"
#include "platform/programfolder.h"
#include "setup/forms/registersetup.h"
#include "setup/setupstate.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanto setup"));
    orv::useProgramLook();
    orv::installWidgetServices();
    orv::removeStaleProgramTemporaries();
    orv::registerSetupForms();
    // A shutdown or logout ends the setup program as its close box would
    // without the instructor's answer: unsaved settings are not written. A
    // save under way is finished first (it is one synchronous step), so
    // orvanto.ini is never left half written, nor its temporary copy left.
    orv::watchForSystemEnd({[](orv::SystemEnd) { orv::modSetup.ending = true; }, {}});
    return orv::runSetupProgram();
}

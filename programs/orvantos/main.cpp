#include "core/forms/registercore.h"
#include "core/forms/startup.h"
#include "mainwindow/forms/registermainwindow.h"
#include "mscalc/forms/registermscalc.h"
#include "nmrcalc/forms/registernmrcalc.h"
#include "platform/forms/programlook.h"
#include "platform/forms/widgetservices.h"
#include "platform/programfolder.h"
#include "spectra/forms/registerspectra.h"
#include "structure/forms/registerstructure.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanto"));
    orv::useProgramLook();
    orv::installWidgetServices();
    orv::removeStaleProgramTemporaries();
    orv::registerCoreForms();
    orv::registerMainwindowForms();
    orv::registerSpectraForms();
    orv::registerStructureForms();
    orv::registerNmrcalcForms();
    orv::registerMscalcForms();
    return orv::runStudentProgram(argc, argv);
}

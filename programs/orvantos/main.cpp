#include "core/forms/registercore.h"
#include "core/forms/startup.h"
#include "mainwindow/forms/registermainwindow.h"
#include "mainwindow/forms/systemroad.h"
#include "mscalc/forms/registermscalc.h"
#include "nmrcalc/forms/registernmrcalc.h"
#include "platform/forms/programlook.h"
#include "platform/forms/systemend.h"
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
    // A shutdown or logout with a student's session open saves the work as
    // the main window's close box would and lets go of the user file.
    orv::watchForSystemEnd(orv::studentSystemEndRoad());
    return orv::runStudentProgram(argc, argv);
}

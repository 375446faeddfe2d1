// Test programs run offscreen with recorded message boxes and a recorded
// program end, so no test ever blocks on a dialog or exits the process.
#include "platform/forms/formregistry.h"
#include "platform/runtime.h"
#include "tests/common/testsupport.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Everything a test needs is set here, so a test program runs the same
    // whether ctest starts it or a developer does from the build folder.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("ORV_SOURCE_DIR"))
        qputenv("ORV_SOURCE_DIR", ORV_BUILT_SOURCE_DIR);
    if (qEnvironmentVariableIsEmpty("ORV_PROGRAM_DIR"))
        qputenv("ORV_PROGRAM_DIR", ORV_BUILT_PROGRAM_DIR);
    qputenv("ORVANTO_PRINT_PDF", QByteArray()); // tests name their own PDF files
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanto"));
    orvtest::msgLog().install();
    orv::setEndProgramHandler([] { ++orvtest::programEnds(); });
    orv::setUnloadAllWindowsHook([] { orv::forms::unloadAll(); });
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // Windows still open, and those closed without an event loop after them,
    // are deleted before the program ends, so that nothing is left behind.
    orv::forms::unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}

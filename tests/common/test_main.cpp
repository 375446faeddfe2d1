// Test programs run offscreen with recorded message boxes and a recorded
// program end, so no test ever blocks on a dialog or exits the process.
#include "platform/forms/formregistry.h"
#include "tests/common/testsupport.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Everything a test needs is set here, so a test program runs the same
    // whether ctest starts it or a developer does from the build folder.
    orvtest::setTestEnvironment(ORV_BUILT_SOURCE_DIR, ORV_BUILT_PROGRAM_DIR);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanto"));
    orvtest::recordDialogsAndEnd();
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // Windows still open, and those closed without an event loop after them,
    // are deleted before the program ends, so that nothing is left behind.
    orv::forms::unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}

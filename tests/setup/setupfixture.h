#pragma once
// A settings window started on a file of the test's own: the Open dialog is
// answered with `dialogAnswer`, the login with the given password.
#include "core/configcodec.h"
#include "platform/filedialog.h"
#include "setup/forms/frmTabSetup.h"
#include "tests/common/testsupport.h"

#include <QByteArray>
#include <QPointer>
#include <gtest/gtest.h>
#include <vector>

namespace setuptest {

// The password the stored digest admits.
inline const QString kPassword = QStringLiteral("LKeyA!");

// The three header lines and the given data line, as the student program writes it.
QByteArray iniWithDataLine(const QByteArray& dataLine);
// A file holding the settings, written by the shared codec.
QByteArray iniFor(const orv::ConfigSettings& s);
// Every flag set to v.
orv::ConfigSettings allFlags(orv::Boolean v);
// "name=value" for every setting that differs (empty when equal).
QString differences(const orv::ConfigSettings& a, const orv::ConfigSettings& b);

class SetupWindowTest : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    QString ini = folder.file(QStringLiteral("orvanto.ini"));
    QString dialogAnswer = ini;
    std::vector<orv::FileDialogRequest> dialogs;

    void SetUp() override;
    void TearDown() override;
    // Unloads every window without questions and resets the setup state.
    void unloadWindows();
    void writeIni(const QByteArray& bytes) const;
    QByteArray readIni() const;
    // Loads the window: dialog, reading, login with `password`. Null when
    // the program ended on the way.
    orv::frmTabSetup* start(const QString& password = kPassword);
    // The messages shown so far, as prompts.
    QStringList prompts() const;
};

} // namespace setuptest

#include "tests/setup/setupfixture.h"

#include "core/coreservices.h"
#include "platform/forms/formregistry.h"
#include "platform/textfile.h"
#include "setup/forms/frmLogin.h"
#include "setup/setupstate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QTimer>

namespace setuptest {

QByteArray iniWithDataLine(const QByteArray& dataLine)
{
    return orv::configFileBytes(orv::configWriterLine(QStringLiteral("Orvanto"), 1, 0, 0), orv::fromBytes(dataLine));
}

QByteArray iniFor(const orv::ConfigSettings& s)
{
    return iniWithDataLine(orv::toBytes(orv::encodeConfigDataLine(s, orv::GetRandomNum)));
}

orv::ConfigSettings allFlags(orv::Boolean v)
{
    orv::ConfigSettings s;
    for (const orv::ConfigFlag& f : orv::kConfigFlags)
        s.*(f.member) = v;
    return s;
}

QString differences(const orv::ConfigSettings& a, const orv::ConfigSettings& b)
{
    QStringList out;
    for (const orv::ConfigFlag& f : orv::kConfigFlags)
        if (a.*(f.member) != b.*(f.member))
            out << QStringLiteral("%1=%2/%3").arg(QLatin1String(f.name)).arg(a.*(f.member)).arg(b.*(f.member));
    if (a.BasicUnknownsBeforeAdvanced != b.BasicUnknownsBeforeAdvanced)
        out << QStringLiteral("number=%1/%2").arg(a.BasicUnknownsBeforeAdvanced).arg(b.BasicUnknownsBeforeAdvanced);
    return out.join(u' ');
}

void SetupWindowTest::SetUp()
{
    orv::resetModSetup();
    orv::setFileDialogPresenter([this](const orv::FileDialogRequest& r) {
        dialogs.push_back(r);
        return dialogAnswer;
    });
}

void SetupWindowTest::unloadWindows()
{
    orv::modSetup.ending = true; // no questions while the windows go
    orv::forms::unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    orv::resetModSetup();
}

void SetupWindowTest::TearDown()
{
    unloadWindows();
    orv::setFileDialogPresenter({});
    qputenv("ORVANTO_PRINT_PDF", QByteArray());
}

void SetupWindowTest::writeIni(const QByteArray& bytes) const
{
    ASSERT_TRUE(orv::writeFileAtomic(ini, bytes).written());
}

QByteArray SetupWindowTest::readIni() const { return orv::readFileBytes(ini).value_or(QByteArray()); }

orv::frmTabSetup* SetupWindowTest::start(const QString& password)
{
    QPointer<orv::frmTabSetup> w = orv::forms::instance<orv::frmTabSetup>();
    // Answered inside the login's modal loop; dropped with the window when
    // the start ends before the login.
    QTimer::singleShot(0, w, [password] {
        if (auto* login = orv::forms::loaded<orv::frmLogin>()) {
            login->txtPassword->setText(password);
            login->cmdOK_Click();
        }
    });
    if (!w->Form_Load())
        return nullptr;
    w->show();
    return w;
}

QStringList SetupWindowTest::prompts() const
{
    QStringList out;
    for (const orv::MsgRecord& r : orvtest::msgLog().shown)
        out << r.prompt;
    return out;
}

} // namespace setuptest

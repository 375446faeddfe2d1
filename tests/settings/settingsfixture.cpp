#include "tests/settings/settingsfixture.h"

#include "core/configfile.h"
#include "core/coreservices.h"
#include "core/forms/frmInitial.h"
#include "core/forms/frmNewPassword.h"
#include "core/forms/frmTestPassword.h"
#include "core/forms/passwordbox.h"
#include "core/forms/registercore.h"
#include "core/forms/startup.h"
#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "mainwindow/forms/registermainwindow.h"
#include "platform/forms/formregistry.h"
#include "setup/setupconfig.h"
#include "spectra/forms/registerspectra.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <map>

using namespace orv;

namespace settingstest {

void SavedSettings::SetUp()
{
    releaseSingleCopy();
    setSingleCopyLockFolder(lockDir.path());
    registerCoreForms();
    registerMainwindowForms();
    registerSpectraForms();
    const QDir unks(orvtest::sourceFile(QStringLiteral("data/unks")));
    for (const QString& f : unks.entryList({QStringLiteral("ovunk*.txt")}, QDir::Files))
        QFile::copy(unks.filePath(f), folder.file(QStringLiteral("unks/") + f));
    InitProgram();
    ResetProgress();
}

void SavedSettings::TearDown()
{
    forms::unloadAll();
    releaseSingleCopy();
}

void SavedSettings::saveAndRead(const ConfigSettings& s)
{
    const WriteResult w = writeSetupConfig(folder.file(QStringLiteral("orvanto.ini")), s, GetRandomNum);
    ASSERT_TRUE(w.written()) << w.reason.toStdString();
    orvtest::msgLog().shown.clear();
    ReadConfigFile();
    EXPECT_TRUE(orvtest::msgLog().shown.empty()) << orvtest::msgLog().lastPrompt().toStdString();
    EXPECT_TRUE(configSettingsOf(modOrvan) == s) << "the student program reads what the setup program saved";
}

int SavedSettings::someUnknown() const
{
    for (int n = 1; n <= 99; ++n)
        if (QFile::exists(unknownFilePath(n)))
            return n;
    ADD_FAILURE() << "no shipped unknown";
    return 0;
}

ConfigSettings withDefaults(const std::function<void(ConfigSettings&)>& change)
{
    ConfigSettings s = defaultConfigSettings();
    if (change)
        change(s);
    return s;
}

struct WindowWatch::Impl {
    std::map<QString, std::function<void(QWidget*)>> acts;
    QSet<QWidget*> busy;
    QTimer timer;
};

WindowWatch::WindowWatch() : d(new Impl)
{
    d->timer.setInterval(5);
    QObject::connect(&d->timer, &QTimer::timeout, [this] {
        for (auto& [name, act] : d->acts) {
            QWidget* w = forms::find(orvtest::form(name));
            if (!w || !w->isVisible() || d->busy.contains(w))
                continue;
            d->busy.insert(w);
            if (seen.isEmpty() || seen.last() != name)
                seen << name;
            QPointer<QWidget> guard(w);
            auto a = act;
            QTimer::singleShot(0, [this, guard, w, a] {
                if (guard) {
                    if (a)
                        a(guard);
                    else
                        forms::unload(guard);
                }
                d->busy.remove(w);
            });
        }
    });
    d->timer.start();
}

WindowWatch::~WindowWatch() { delete d; }

void WindowWatch::on(const QString& name, std::function<void(QWidget*)> act) { d->acts[name] = std::move(act); }

void WindowWatch::byDefault(const QString& name, std::function<void(QWidget*)> act)
{
    if (!d->acts.count(name))
        d->acts[name] = std::move(act);
}

void startAndContinue(const QString& commandLine, WindowWatch& watch, const QString& password)
{
    watch.byDefault(QStringLiteral("frmTestPassword"), [password](QWidget* w) {
        auto* t = qobject_cast<frmTestPassword*>(w);
        t->txtTestPassword->setText(password);
        t->cmdTestPassword->click();
    });
    watch.byDefault(QStringLiteral("frmNewPassword"), [](QWidget* w) {
        auto* p = qobject_cast<frmNewPassword*>(w);
        p->txtNewPassword->setText(QStringLiteral("newpass1"));
        p->cmdNewPassword->click();
    });
    watch.byDefault(QStringLiteral("frmTips"));
    watch.byDefault(QStringLiteral("frmOldUser"));
    watch.byDefault(QStringLiteral("frmNewUser"));
    ASSERT_TRUE(startStudentProgram(commandLine));
    auto* start = forms::loaded<frmInitial>();
    ASSERT_NE(start, nullptr);
    start->cmdInitial_Click();
}

} // namespace settingstest

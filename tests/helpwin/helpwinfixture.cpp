#include "tests/helpwin/helpwinfixture.h"

#include "tests/common/pdftools.h"

#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "mainwindow/forms/registermainwindow.h"
#include "platform/forms/formregistry.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>

namespace helpwintest {

frmOVMain::frmOVMain()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    const QList<QPair<QString, QString>> fileEntries{{"mnuSaveCont", "Sa&ve and continue"},
                                                     {"mnuSaveNext", "Save and ne&xt user"},
                                                     {"mnuSaveQuit", "Save and &quit"},
                                                     {"mnuNextUser", "N&ext user"},
                                                     {"mnuExit", "End n&ow"}};
    for (const auto& [name, caption] : fileEntries)
        file->addAction(caption)->setObjectName(name);
    entry("mnuNextUser")->setVisible(false);
    entry("mnuExit")->setVisible(false);
    QMenu* identity = menuBar()->addMenu(QStringLiteral("&Identity"));
    const QStringList names{"By &typing name", "By &structure choosing", "By &giving structure",
                            "&Resign from this unknown"};
    for (int i = 0; i < names.size(); ++i)
        identity->addAction(names[i])->setObjectName(QStringLiteral("mnuNameItem%1").arg(i));
    resize(627, 453);
}

QAction* frmOVMain::entry(const QString& objectName) const { return findChild<QAction*>(objectName); }

void registerWindows()
{
    orv::registerMainwindowForms();
    orv::forms::registerForm(orv::forms::names::frmOVMain, [] { return new frmOVMain; });
    auto& m = orv::modOrvan;
    m.statusBarSink = nullptr;
    m.mainCaptionSink = nullptr;
    m.ensureMainWindow = nullptr;
}

Folder::Folder(std::initializer_list<int> unknowns) : folder_(std::make_unique<orvtest::ProgramFolder>())
{
    orv::InitProgram();
    for (int n : unknowns)
        addUnknown(n);
}

void Folder::addUnknown(int n)
{
    const QString name = QStringLiteral("ovunk") + orv::UnknownFileCode(n);
    folder_->copyFromSource(QStringLiteral("data/unks/") + name + QStringLiteral(".txt"),
                            QStringLiteral("unks/") + name + QStringLiteral(".txt"));
}

void Folder::addAssignmentsPicture(int n)
{
    const QString name = QStringLiteral("ovunk") + orv::UnknownFileCode(n) + QStringLiteral(".gif");
    folder_->copyFromSource(QStringLiteral("data/gifs/") + name, QStringLiteral("gifs/") + name);
}

void unloadEverything() { orv::forms::unloadAll(); }

std::optional<QString> pdfText(const QString& pdfPath) { return orvtest::pdfText(pdfPath); }

} // namespace helpwintest

#include "tests/layout/scenes.h"

#include "core/configcodec.h"
#include "core/forms/frmInitial.h"
#include "core/forms/frmNewPassword.h"
#include "core/forms/frmQuit.h"
#include "core/forms/registercore.h"
#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "mainwindow/forms/frmReportProgress.h"
#include "mainwindow/forms/frmResult.h"
#include "mainwindow/forms/frmStructure.h"
#include "mainwindow/forms/registermainwindow.h"
#include "mscalc/forms/frmCalcFormula.h"
#include "mscalc/forms/frmCalcIsotope.h"
#include "mscalc/forms/frmCalcMass.h"
#include "mscalc/forms/registermscalc.h"
#include "nmrcalc/forms/frmCalcCShift.h"
#include "nmrcalc/forms/frmCalcCoupling.h"
#include "nmrcalc/forms/frmCalcHShift.h"
#include "nmrcalc/forms/registernmrcalc.h"
#include "nmrcalc/forms/spincontrol.h"
#include "platform/filedialog.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/programlook.h"
#include "platform/programfolder.h"
#include "setup/forms/frmLogin.h"
#include "setup/forms/frmTabSetup.h"
#include "setup/forms/registersetup.h"
#include "setup/setupstate.h"
#include "spectra/cmrplot.h"
#include "spectra/forms/registerspectra.h"
#include "spectra/forms/spectrumviewer.h"
#include "structure/forms/frmGiveStructure.h"
#include "structure/forms/registerstructure.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <array>

namespace layoutscenes {

using namespace orv;

namespace {

QTemporaryDir& lockFolder()
{
    static QTemporaryDir dir;
    return dir;
}

QWidget* shown(QWidget* w)
{
    if (!w)
        return nullptr;
    w->show();
    QApplication::processEvents();
    return w;
}

QWidget* open(const char* name) { return shown(forms::load(orvtest::form(QString::fromLatin1(name)))); }

template <class T> T* openAs(const char* name) { return qobject_cast<T*>(open(name)); }

// Prints into a PDF of the program folder so that the window shows its
// "Printing completed." notice.
template <class F> void printed(F&& print)
{
    qputenv("ORVANTO_PRINT_PDF", (modOrvan.ProgramPath + QStringLiteral("/layout.pdf")).toLocal8Bit());
    print();
    QApplication::processEvents();
    qputenv("ORVANTO_PRINT_PDF", QByteArray());
}

QWidget* viewer(const char* name, int item, const std::function<void(spectra::SpectrumViewer*)>& then = {})
{
    modOrvan.CurrentItem = item;
    auto* w = openAs<spectra::SpectrumViewer>(name);
    if (w && then) {
        then(w);
        QApplication::processEvents();
    }
    return w;
}

// The carbon-13 expansion of a band dragged from 40 to 8 ppm.
QWidget* carbonExpansion(const std::function<void(spectra::SpectrumViewer*)>& then = {})
{
    modOrvan.ExpandLeftX = float(spectra::cmr::xAtPpm(40));
    modOrvan.ExpandRightX = float(spectra::cmr::xAtPpm(8));
    return viewer("frmCmrExp", 5, then);
}

QWidget* report(bool identified, bool clickPicture)
{
    modOrvan.UnkIdentified = vb(identified);
    modOrvan.IdentifiedByName = vb(identified);
    auto* w = openAs<frmReportProgress>("frmReportProgress");
    if (w && clickPicture && w->picStrReward->isVisible())
        w->picStrReward_Click();
    return w;
}

// The 2,4-DNP test's result as the main window shows it, with its help.
QWidget* result(bool help)
{
    modOrvan.CurrentItem = 18;
    auto* w = openAs<frmResult>("frmResult");
    if (!w)
        return nullptr;
    w->txtResult->setPlainText(modOrvan.UnkItemTitle[18]);
    if (help)
        w->cmdResultHelp->click();
    return w;
}

// The coupling calculator's set A drawn with the given display; by default
// a multiplet of 2, 1 and 3 protons.
frmCalcCoupling* coupling(int display, std::array<int, 6> set = {2, 1, 3, 7, 12, 3})
{
    auto* w = openAs<frmCalcCoupling>("frmCalcCoupling");
    if (!w)
        return nullptr;
    w->updA->setValue(set[0]);
    w->updM->setValue(set[1]);
    w->updX->setValue(set[2]);
    w->updAM->setValue(set[3]);
    w->updAX->setValue(set[4]);
    w->updMX->setValue(set[5]);
    w->optDisplay[display]->click();
    w->cmdCalcSetA->click();
    QApplication::processEvents();
    return w;
}

// A shift calculator after its type, its first subtype and a substituent.
template <class T> T* shiftCalc(const char* name, int type, bool subtype, bool substituent)
{
    auto* w = openAs<T>(name);
    if (!w)
        return nullptr;
    if (type >= 0) {
        w->optType[type]->click();
        w->cmdShiftType->click();
    }
    if (subtype && w->optSubType[0]->isVisible()) {
        w->optSubType[0]->click();
        w->cmdSubType->click();
    }
    if (substituent) {
        for (QRadioButton* b : w->optSub)
            if (b->isVisible() && b->isEnabled()) {
                b->click();
                break;
            }
        for (QPushButton* b : {w->cmdXSelect, w->cmdYSelect, w->cmdZSelect})
            if (b->isVisible() && b->isEnabled()) {
                b->click();
                break;
            }
    }
    QApplication::processEvents();
    return w;
}

bool pickFirst(QListWidget* list)
{
    if (!list->isVisible() || list->count() == 0)
        return false;
    list->setCurrentRow(0);
    return true;
}

// The structure builder after `steps` choices (each the first entry offered).
QWidget* builder(int steps)
{
    auto* w = openAs<frmGiveStructure>("frmGiveStructure");
    if (!w)
        return nullptr;
    // clang-format off
    const std::pair<QListWidget*, QPushButton*> order[] = {
        {w->lstCompType, w->cmdCompType}, {w->lstSubType, w->cmdSubType}, {w->lstX, w->cmdSelectX},
        {w->lstY, w->cmdSelectY},         {w->lstZ, w->cmdSelectZ}};
    // clang-format on
    int done = 0;
    for (auto [list, button] : order) {
        if (done == steps)
            break;
        if (pickFirst(list)) {
            button->click();
            QApplication::processEvents();
            ++done;
        }
    }
    return w;
}

QWidget* setupTab(int tab)
{
    resetModSetup();
    const QString ini = modOrvan.ProgramPath + QStringLiteral("/orvanto.ini");
    setFileDialogPresenter([ini](const FileDialogRequest&) { return ini; });
    auto* w = forms::instance<frmTabSetup>();
    QTimer::singleShot(0, w, [] {
        if (auto* login = forms::loaded<frmLogin>()) {
            login->txtPassword->setText(QStringLiteral("LKeyA!"));
            login->cmdOK_Click();
        }
    });
    if (!w->Form_Load())
        return nullptr;
    w->tspSetup->setCurrentIndex(tab - 1);
    w->tspSetup_Click(tab); // the first tab is current already
    return shown(w);
}

std::vector<Scene> build()
{
    std::vector<Scene> s = {
        // The start, sign-in and welcome windows.
        {"frmInitial", [] { return open("frmInitial"); }},
        {"frmUnkProgm", [] { return open("frmUnkProgm"); }},
        {"frmUnkTeach", [] { return open("frmUnkTeach"); }},
        {"frmNewUser", [] { return open("frmNewUser"); }},
        {"frmOldUser", [] { return open("frmOldUser"); }},
        {"frmTips", [] { return open("frmTips"); }},
        {"frmQuit", [] { return open("frmQuit"); }},
        {"frmQuit_message",
         [] {
             frmQuit::setMessage(QStringLiteral("Error finding file C:\\students\\somebody.ovg. Please come back when "
                                                "you have the required information about your file."));
             return open("frmQuit");
         }},
        {"frmNewPassword_userFile",
         [] {
             auto* w = forms::instance<frmNewPassword>();
             w->setupForUserFile(QStringLiteral("Password for your new file"));
             return shown(w);
         }},
        {"frmNewPassword_change",
         [] {
             auto* w = forms::instance<frmNewPassword>();
             w->setupForChange();
             return shown(w);
         }},
        {"frmTestPassword", [] { return open("frmTestPassword"); }},

        // The main window and its small windows.
        {"frmOVMain", [] { return open("frmOVMain"); }},
        {"frmSummary", [] { return open("frmSummary"); }},
        {"frmNameTyping", [] { return open("frmNameTyping"); }},
        {"frmNameTyping_typeOnly",
         [] {
             modOrvan.OfferNameList = kFalse;
             return open("frmNameTyping");
         }},
        {"frmStructure", [] { return open("frmStructure"); }},
        // The focus frame on the first picture and the hover mark on the fifth.
        {"frmStructure_focus",
         [] {
             auto* w = openAs<frmStructure>("frmStructure");
             if (!w)
                 return static_cast<QWidget*>(nullptr);
             w->Structure[0]->setFocus();
             QTest::mouseMove(w->Structure[4]);
             QApplication::processEvents();
             return static_cast<QWidget*>(w);
         }},
        {"frmNoID", [] { return open("frmNoID"); }},
        {"frmReportProgress_wrong", [] { return report(false, false); }},
        {"frmReportProgress_right", [] { return report(true, false); }},
        {"frmReportProgress_rewardCaption", [] { return report(true, true); }},
        {"frmResult", [] { return result(false); }},
        {"frmResult_help", [] { return result(true); }},
        {"frmSpecQHelp", [] { return open("frmSpecQHelp"); }},
        {"frmHelp", [] { return open("frmHelp"); }},
        {"frmAssignments", [] { return open("frmAssignments"); }},
        {"frmSelectUnks", [] { return open("frmSelectUnks"); }},

        // The spectra.
        {"frmPmr", [] { return viewer("frmPmr", 8); }},
        {"frmIr", [] { return viewer("frmIr", 6); }},
        {"frmCmr", [] { return viewer("frmCmr", 5); }},
        {"frmMs", [] { return viewer("frmMs", 7); }},
        {"frmMs_printed",
         [] {
             return viewer("frmMs", 7, [](spectra::SpectrumViewer* v) { printed([v] { v->printMenu()->trigger(); }); });
         }},
        {"frmPmrExp",
         [] {
             modOrvan.ExpandLeftX = float(8860 - 880 * 3.0);
             modOrvan.ExpandRightX = float(8860 - 880 * 0.5);
             return viewer("frmPmrExp", 8);
         }},

        {"frmCmrExp", [] { return carbonExpansion(); }},
        {"frmCmrExp_measured",
         [] {
             return carbonExpansion([](spectra::SpectrumViewer* v) {
                 v->buttonClick(QStringLiteral("measure"));
                 v->pictureMouseDown(1, 0, 4000, 2000);
             });
         }},
        {"frmCmrExp_printed",
         [] {
             return carbonExpansion([](spectra::SpectrumViewer* v) { printed([v] { v->printMenu()->trigger(); }); });
         }},
        {"frmPmrExp_measured",
         [] {
             modOrvan.ExpandLeftX = float(8860 - 880 * 3.0);
             modOrvan.ExpandRightX = float(8860 - 880 * 0.5);
             return viewer("frmPmrExp", 8, [](spectra::SpectrumViewer* v) {
                 v->buttonClick(QStringLiteral("coupling"));
                 v->pictureMouseDown(1, 0, 3000, 2500);
                 v->pictureMouseMove(1, 0, 3600, 2500);
                 v->pictureMouseUp(1, 0, 3600, 2500);
                 v->buttonClick(QStringLiteral("measure"));
                 v->pictureMouseDown(1, 0, 5000, 3000);
             });
         }},

        // The structure builder, step by step.
        {"frmGiveStructure", [] { return builder(0); }},
        {"frmGiveStructure_type", [] { return builder(1); }},
        {"frmGiveStructure_subtype", [] { return builder(2); }},
        {"frmGiveStructure_substituents", [] { return builder(5); }},

        // The calculators.
        {"frmCalcCoupling", [] { return open("frmCalcCoupling"); }},
        {"frmCalcCoupling_lines", [] { return coupling(0); }},
        {"frmCalcCoupling_lorentz", [] { return coupling(1); }},
        // A multiplet just over 60 Hz wide (lines at +-30.5 Hz): the widest the picture holds.
        {"frmCalcCoupling_wide",
         [] {
             return coupling(1, {1, 3, 1, 17, 10, 0});
         }},
        {"frmCalcCoupling_printed",
         [] {
             auto* w = coupling(2);
             if (w)
                 printed([w] { w->cmdCalcCouplingPrint_Click(); });
             return w;
         }},
        {"frmCalcHShift", [] { return shiftCalc<frmCalcHShift>("frmCalcHShift", -1, false, false); }},
        {"frmCalcCShift", [] { return shiftCalc<frmCalcCShift>("frmCalcCShift", -1, false, false); }},
        {"frmCalcFormula", [] { return open("frmCalcFormula"); }},
        {"frmCalcFormula_calculated",
         [] {
             auto* w = openAs<frmCalcFormula>("frmCalcFormula");
             if (w) {
                 w->txtMass->setText(QStringLiteral("72"));
                 w->cmdCalcCalc_Click();
                 printed([w] { w->cmdCalcPrint_Click(); });
             }
             return w;
         }},
        {"frmCalcMass", [] { return open("frmCalcMass"); }},
        {"frmCalcMass_printed",
         [] {
             auto* w = openAs<frmCalcMass>("frmCalcMass");
             if (w) {
                 w->cmdMCalcCalc_Click();
                 printed([w] { w->cmdMCalcPrint_Click(); });
             }
             return w;
         }},
        {"frmCalcIsotope", [] { return open("frmCalcIsotope"); }},
        {"frmCalcIsotope_printed",
         [] {
             auto* w = openAs<frmCalcIsotope>("frmCalcIsotope");
             if (w) {
                 w->cmdIsotopeCalc_Click();
                 printed([w] { w->cmdIsotopePrint_Click(); });
             }
             return w;
         }},

        // The setup program.
        {"frmLogin", [] { return open("frmLogin"); }},
    };
    for (int type = 0; type < 3; ++type) {
        const std::string t = std::to_string(type);
        s.push_back({"frmCalcHShift_type" + t,
                     [type] { return shiftCalc<frmCalcHShift>("frmCalcHShift", type, false, false); }});
        s.push_back({"frmCalcHShift_groups" + t,
                     [type] { return shiftCalc<frmCalcHShift>("frmCalcHShift", type, true, true); }});
        s.push_back({"frmCalcCShift_type" + t,
                     [type] { return shiftCalc<frmCalcCShift>("frmCalcCShift", type, false, false); }});
        s.push_back({"frmCalcCShift_groups" + t,
                     [type] { return shiftCalc<frmCalcCShift>("frmCalcCShift", type, true, true); }});
    }
    for (int tab = 1; tab <= 5; ++tab)
        s.push_back({"frmTabSetup_tab" + std::to_string(tab), [tab] { return setupTab(tab); }});
    return s;
}

} // namespace

const std::vector<Scene>& scenes()
{
    static const std::vector<Scene> all = build();
    return all;
}

const Scene* findScene(const std::string& name)
{
    for (const Scene& s : scenes())
        if (s.name == name)
            return &s;
    return nullptr;
}

void prepareApplication()
{
    useProgramLook();
    registerCoreForms();
    registerMainwindowForms();
    registerSpectraForms();
    registerStructureForms();
    registerNmrcalcForms();
    registerMscalcForms();
    registerSetupForms();
    setSingleCopyLockFolder(lockFolder().path());
}

void loadStudentState(const orvtest::ProgramFolder& folder, int unknown)
{
    const QString shipped = qEnvironmentVariable("ORV_PROGRAM_DIR");
    // Read only: the shipped folders are linked in, not copied.
    for (const char* sub : {"unks", "gifs"}) {
        QDir(folder.path()).rmdir(QLatin1String(sub));
        QFile::link(shipped + u'/' + QLatin1String(sub), folder.file(QLatin1String(sub)));
    }
    InitProgram();
    auto& m = modOrvan;
    m.ProgramPath = folder.path();
    for (const ConfigFlag& f : kConfigFlags)
        m.*(f.member) = kTrue;
    m.AnySpectrumAllowed = m.AnyCalcAllowed = kTrue;
    m.ProgramChoosesUnknowns = kTrue;
    m.CurrentUnknown = unknown;
    ReadUnknownFile();
    m.CompletedUnknowns.clear(); // the report then adds the first: reward picture and its introduction
}

void closeAll()
{
    modSetup.ending = true;
    forms::unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    resetModSetup();
    setFileDialogPresenter({});
    releaseSingleCopy();
}

} // namespace layoutscenes

// Test-only driver for screenshots: opens one scene of the layout test
// (layout_shots --list names them) in the programs' font and keeps it open:
//   layout_shots SCENE [--unknown N] [--seconds S] [--faults] [--grab FILE.png]
// --faults prints what the layout check finds in it; --grab saves the
// window as drawn and ends at once (for the offscreen platform).
#include "core/modorvan.h"
#include "platform/runtime.h"
#include "tests/layout/layoutcheck.h"
#include "tests/layout/scenes.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanto"));
    orvtest::msgLog().install();
    orv::setEndProgramHandler([] {});
    layoutscenes::prepareApplication();
    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("--list"))) {
        for (const auto& s : layoutscenes::scenes())
            std::printf("%s\n", s.name.c_str());
        return 0;
    }
    const auto* scene = layoutscenes::findScene(args.value(1).toStdString());
    if (!scene) {
        std::fprintf(stderr, "no scene %s\n", qPrintable(args.value(1)));
        return 1;
    }
    orvtest::ProgramFolder folder;
    const qsizetype u = args.indexOf(QStringLiteral("--unknown"));
    layoutscenes::loadStudentState(folder, u > 0 ? args.value(u + 1).toInt() : layoutscenes::kUnknown);
    QWidget* w = scene->open();
    if (!w)
        return 1;
    w->move(20, 20);
    if (args.contains(QStringLiteral("--faults")))
        for (const QString& f : layoutcheck::windowFaults(w))
            std::printf("%s\n", qPrintable(f));
    if (const qsizetype g = args.indexOf(QStringLiteral("--grab")); g > 0)
        return w->grab().save(args.value(g + 1)) ? 0 : 1;
    const qsizetype s = args.indexOf(QStringLiteral("--seconds"));
    QTimer::singleShot(int(1000 * (s > 0 ? args.value(s + 1).toDouble() : 4.0)), &app, &QApplication::quit);
    return app.exec();
}

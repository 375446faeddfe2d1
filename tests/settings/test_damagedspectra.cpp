// Spectrum lines of an unknown's data file that hold nonsense (bad records,
// characters below the sample base, overlong traces) are drawn as far as
// they go; no viewer fails on them.
#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "platform/forms/formregistry.h"
#include "spectra/forms/frmCmr.h"
#include "spectra/forms/frmIr.h"
#include "spectra/forms/frmMs.h"
#include "spectra/forms/frmPmr.h"
#include "spectra/forms/spectrumpicture.h"
#include "tests/settings/settingsfixture.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>

using namespace orv;
using namespace orv::spectra;

namespace {

class DamagedSpectra : public settingstest::SavedSettings {};

// The unknown's file with the given lines (1-based) replaced.
void replaceLines(const QString& path, const std::map<int, QByteArray>& lines)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QList<QByteArray> all = f.readAll().split('\n');
    f.close();
    for (const auto& [n, text] : lines)
        all[n - 1] = text + '\r';
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(all.join('\n'));
}

template <class T> void openAndDraw(int item)
{
    modOrvan.CurrentItem = item;
    auto* v = forms::instance<T>();
    v->show();
    QApplication::processEvents();
    EXPECT_FALSE(v->picture()->image().isNull());
    // Each measuring or correlation mode, then presses across the picture.
    // A press that opens another window (an expansion) has it closed again.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [v] {
        for (QWidget* w : forms::loadedForms())
            if (w != v && w->isVisible() && w->isModal())
                QTimer::singleShot(0, w, [w] { forms::unload(w); });
    });
    closer.start(5);
    QWidget* pic = v->picture();
    for (int i : {0, 1, 2, 3}) {
        QAction* a = v->toolsItem(i);
        if (!a || !a->isEnabled())
            continue;
        v->toolsItemClick(i);
        for (int x = 1; x < pic->width(); x += pic->width() / 7)
            for (int y : {pic->height() / 4, pic->height() / 2, pic->height() - 3}) {
                QTest::mousePress(pic, Qt::LeftButton, {}, QPoint(x, y));
                QTest::mouseRelease(pic, Qt::LeftButton, {}, QPoint(x, y));
            }
        QApplication::processEvents();
        for (QWidget* w : forms::loadedForms())
            if (w != v && w->isModal())
                forms::unload(w);
    }
    forms::unloadAll();
}

} // namespace

TEST_F(DamagedSpectra, ViewersDrawNonsenseWithoutFailing)
{
    saveAndRead(defaultConfigSettings());
    const int unknown = someUnknown();
    QByteArray low;
    for (char c = 1; c < 14; ++c)
        low += c;
    // clang-format off
    const std::vector<std::pair<const char*, std::map<int, QByteArray>>> cases = {
        {"letters and partial records",
         {{16, "abcdefXYZ12"}, {21, "ab"}, {26, "99x~12"}, {27, "///"}, {32, "z"}, {40, "\xff\xff"}}},
        {"below the sample base", {{16, "0000" + low}, {21, low}, {26, "001" + low}, {27, "-5/0/99999"}, {35, low}}},
        {"overlong and empty",
         {{16, QByteArray(6000, '9')}, {21, QByteArray(20000, '\xff')}, {26, QByteArray(4000, '9')}, {27, ""},
          {37, QByteArray(3000, '\xff')}, {45, ""}}},
    };
    // clang-format on
    const QString path = unknownFilePath(unknown);
    QFile original(path);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray saved = original.readAll();
    original.close();
    for (const auto& [what, lines] : cases) {
        SCOPED_TRACE(what);
        replaceLines(path, lines);
        modOrvan.CurrentUnknown = unknown;
        ASSERT_TRUE(ReadUnknownFile()) << "spectrum lines are not checked when read";
        openAndDraw<frmCmr>(5);
        openAndDraw<frmIr>(6);
        openAndDraw<frmMs>(7);
        openAndDraw<frmPmr>(8);
        QFile back(path);
        ASSERT_TRUE(back.open(QIODevice::WriteOnly | QIODevice::Truncate));
        back.write(saved);
    }
}

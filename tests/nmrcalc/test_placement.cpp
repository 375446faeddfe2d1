// Each calculator opens 400 twips (plus the caption correction) under the
// main window's top, centred on it, also when it is wider than the main
// window; each opening starts afresh.
#include "core/coreservices.h"
#include "nmrcalc/forms/frmCalcCShift.h"
#include "nmrcalc/forms/frmCalcCoupling.h"
#include "nmrcalc/forms/frmCalcHShift.h"
#include "nmrcalc/forms/registernmrcalc.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "tests/common/testsupport.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// Stands in for the main window: only its place matters here.
class frmOVMain : public QWidget {
    Q_OBJECT
};

} // namespace

TEST(CalculatorPlacement, CentredUnderTheMainWindow)
{
    orvtest::ProgramFolder folder;
    orv::registerNmrcalcForms();
    auto* main = new frmOVMain;
    orv::forms::adopt(main);
    orv::setFormGeometry(main, 3000, 1500, 6000, 4000);
    main->show();
    const QRect mainRect = orv::formRectTwips(main);
    struct Case {
        const char* name;
        int width;
    } const cases[] = {{"frmCalcCoupling", 9000}, {"frmCalcHShift", 7500}, {"frmCalcCShift", 9000}};
    for (const Case& c : cases) {
        QWidget* w = orv::forms::load(orvtest::form(c.name));
        ASSERT_NE(w, nullptr) << c.name;
        const QRect r = orv::formRectTwips(w);
        EXPECT_NEAR(r.width(), c.width, 15) << c.name;
        EXPECT_NEAR(r.height(), 6000 + orv::CaptionExtraTwips(), 15) << c.name;
        EXPECT_NEAR(r.y(), mainRect.y() + 400 + orv::CaptionExtraTwips(), 15) << c.name;
        // Wider than the main window: the offset is negative and not clamped.
        EXPECT_NEAR(r.x(), mainRect.x() + (mainRect.width() - c.width) / 2, 15) << c.name;
        orv::forms::unload(w);
    }
    orv::forms::unloadAll();
}

#include "test_placement.moc"

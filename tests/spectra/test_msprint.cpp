// The mass spectrum printout: page quantities from the page's sides, bars on
// the fixed 30..230 axis, ticks, the head lines through the viewer into a
// PDF, and the failure path.
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "spectra/forms/frmMs.h"
#include "spectra/forms/msprint.h"
#include "spectra/forms/registerspectra.h"
#include "tests/common/testsupport.h"
#include "tests/spectra/ethylacetate.h"
#include "tests/spectra/printcheck.h"
#include "tests/spectra/viewerfixture.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <gtest/gtest.h>

using namespace orv;
using namespace orv::spectra;
using printcheck::inkNear;

namespace {

QByteArray record(int mz, int h) { return QByteArray::number(mz).rightJustified(3, '0') + fixture::heightByte(h); }

} // namespace

TEST(MsPrintout, PageQuantitiesComeFromTheLongerAndShorterSides)
{
    for (const QSizeF page : {QSizeF(11906, 16838), QSizeF(16838, 11906)}) {
        const ms::PrintGeometry g = ms::printGeometry(page);
        EXPECT_EQ(g.longSide, 15838);
        EXPECT_EQ(g.shortSide, 7906);
        EXPECT_EQ(g.baselineY, 9906);
        EXPECT_EQ(g.axisLength, 14938);
    }
}

TEST(MsPrintout, BarsStandOnTheFixedAxisAndTicksStopAt230)
{
    const QSizeF page(16838, 11906);
    const ms::PrintGeometry g = ms::printGeometry(page);
    const double base = g.baselineY, unit = g.axisLength / 200;
    const QByteArray peaks = record(30, 241) + record(31, 241) + record(120, 120) + record(229, 60) + record(230, 241)
                           + record(200, 0);
    QList<double> progress;
    const QImage img = printcheck::pageImage(page, [&](PrintPage& p) {
        ms::printout(p, page,
                     {QStringLiteral("Mass spectrum x"), QStringLiteral("88"), QStringLiteral("EI"), peaks, false, 0},
                     [&](double v) { progress.append(v); });
    });
    const auto xOf = [&](int mz) { return (mz - 30) * unit + 900; };
    // Full intensity reaches y 2000; half of it the middle of the plot.
    EXPECT_TRUE(inkNear(img, xOf(31), 2000 + 20));
    EXPECT_TRUE(inkNear(img, xOf(120), base - 120 * g.shortSide / 241 + 20));
    EXPECT_FALSE(inkNear(img, xOf(120), base - 120 * g.shortSide / 241 - 60));
    EXPECT_TRUE(inkNear(img, xOf(229), base - 60 * g.shortSide / 241 + 20));
    // m/z 230 is not drawn (m/z 30 would lie on the intensity axis); intensity 0 has no height.
    EXPECT_FALSE(inkNear(img, xOf(230), 3000));
    EXPECT_FALSE(inkNear(img, xOf(200), base - 100));
    // Ticks: majors 130 down, the fifth minor 90, others 60; none after 230.
    const double x40 = CInt(g.axisLength / 20 + 900);
    EXPECT_TRUE(inkNear(img, x40, base + 120));
    EXPECT_TRUE(inkNear(img, x40 + 5 * unit, base + 80));
    EXPECT_FALSE(inkNear(img, x40 + 5 * unit, base + 125, 0));
    EXPECT_TRUE(inkNear(img, x40 + 3 * unit, base + 50));
    EXPECT_FALSE(inkNear(img, x40 + 3 * unit, base + 90, 0));
    EXPECT_FALSE(inkNear(img, xOf(230) + 2 * unit, base + 50));
    ASSERT_EQ(progress.size(), 6);
    EXPECT_DOUBLE_EQ(progress.back(), 100);
}

namespace {

class MsPrintTest : public ViewerFixture<frmMs, 7> {
protected:
    void SetUp() override
    {
        ViewerFixture::SetUp();
        modOrvan.CurrentUnknown = 42;
    }
};

} // namespace

TEST_F(MsPrintTest, HeadLinesFollowTheSettingsAndTheIon)
{
    modOrvan.ShowUnknownNumber = kTrue;
    auto* w = open();
    QString text = printToText(w, QStringLiteral("ms1.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("Orvanto Mass spectrum"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Unknown number 42")));
    EXPECT_TRUE(text.contains(QStringLiteral("Molecular ion = 88")));
    EXPECT_TRUE(text.contains(QStringLiteral("EI 70 eV")));
    for (const char* label : {"100", "RA", "30", "130", "230", "m/z"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(label))) << label;
    printcheck::expectTimedNotice(w->printProgress());
    EXPECT_TRUE(orvtest::msgLog().shown.empty());

    modOrvan.ShowUnknownNumber = kFalse;
    modOrvan.MsMolecularIon.clear();
    text = printToText(w, QStringLiteral("ms2.pdf"));
    EXPECT_FALSE(text.contains(QStringLiteral("Unknown number")));
    EXPECT_FALSE(text.contains(QStringLiteral("Molecular ion")));
}

TEST_F(MsPrintTest, APrinterFailureShowsTheMessageAndKeepsItsAnswer)
{
    auto* w = open();
    qputenv("ORVANTO_PRINT_PDF", folder.file(QStringLiteral("missing/dir/ms.pdf")).toLocal8Bit());
    w->printMenu()->trigger();
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().shown.front().prompt, QStringLiteral("Error with printer."));
    EXPECT_EQ(modOrvan.TextBuffer, QStringLiteral("1"));
    EXPECT_FALSE(w->printProgress().bar()->isVisible());
    EXPECT_FALSE(w->printProgress().notice()->isVisible());
    // Print is offered only while no tool is on.
    w->toolsItemClick(0);
    EXPECT_FALSE(w->printMenu()->isEnabled());
}

#pragma once
// A viewer on the ethyl acetate fixture, for the tool and printout tests:
// opens it on its item and prints it into a PDF whose text it returns.
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "spectra/forms/registerspectra.h"
#include "tests/common/testsupport.h"
#include "tests/spectra/ethylacetate.h"
#include "tests/spectra/printcheck.h"

#include <QAction>
#include <QApplication>
#include <gtest/gtest.h>

template <class Viewer, int Item> class ViewerFixture : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    void SetUp() override
    {
        orv::registerSpectraForms();
        fixture::loadEthylAcetate();
        orv::modOrvan.CorrelationsAllowed = orv::kTrue;
        orv::modOrvan.ItemHelpAllowed = orv::kTrue;
        orv::modOrvan.CurrentItem = Item;
    }
    void TearDown() override
    {
        qputenv("ORVANTO_PRINT_PDF", QByteArray());
        orv::forms::unloadAll();
    }
    Viewer* open()
    {
        auto* w = orv::forms::instance<Viewer>();
        w->show();
        QApplication::processEvents();
        return w;
    }
    // Prints through the viewer's Print menu into a PDF of the program folder.
    QString printToText(Viewer* w, const QString& name)
    {
        const QString pdf = folder.file(name);
        qputenv("ORVANTO_PRINT_PDF", pdf.toLocal8Bit());
        w->printMenu()->trigger();
        return printcheck::pdfText(pdf);
    }
};

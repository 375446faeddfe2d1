#include "tests/ident/identfixture.h"

#include "mainwindow/forms/registermainwindow.h"

namespace identtest {

Unknown7::Unknown7()
{
    orv::registerMainwindowForms();
    orvtest::scriptRandom({0.0});
    auto& m = orv::modOrvan;
    m.ProgramPath = folder.path();
    m.MaxUnknownNumber = 99;
    orv::ResetProgress();
    m.CurrentUnknown = 7;
    m.NameCount = 2;
    m.AcceptedNames[1] = QStringLiteral("ethanol");
    m.AcceptedNames[2] = QStringLiteral("Ethyl alcohol");
    m.NameChoiceCount = 4;
    m.NameChoices[1] = QStringLiteral("methanol");
    m.NameChoices[2] = QStringLiteral("ethanol");
    m.NameChoices[3] = QStringLiteral("propan-1-ol");
    m.NameChoices[4] = QStringLiteral("ethanal");
    m.StructChoiceLine = QStringLiteral("Baaabacadaeaf");
    m.UnkItemTitle[0] = QStringLiteral("A colourless liquid");
    m.TestsAllowed = m.DerivsAllowed = m.ItemHelpAllowed = orv::kTrue;
    m.ProgramChoosesUnknowns = orv::kFalse;
    m.AllocatedUnknowns = QStringLiteral("0812");
    m.CompletedUnknowns = QStringLiteral("03");
    m.UnkResults[1].resultLine = QStringLiteral("10000000000001000000propanone");
    m.UnkResults[1].sessionTime = QStringLiteral("0014");
    m.StartTime = clock(10, 0, 0);
    m.TimerNow = clock(10, 2, 30);
}

void Unknown7::copyPictures() const
{
    for (const char* code : {"aa", "ab", "ac", "ad", "ae", "af"}) {
        const QString name = QStringLiteral("ovst%1.gif").arg(QLatin1String(code));
        folder.copyFromSource(QStringLiteral("tests/ident/fixtures/") + name, QStringLiteral("gifs/") + name);
    }
}

void reveal(std::initializer_list<int> items)
{
    for (int k : items)
        orv::modOrvan.ItemsRevealed[k] = orv::kTrue;
}

} // namespace identtest

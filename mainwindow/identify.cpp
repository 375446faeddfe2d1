#include "mainwindow/identify.h"

#include "core/modorvan.h"
#include "platform/msgbox.h"
#include "platform/resources.h"

namespace orv {

void countAttempt(int& counter)
{
    if (counter < kMaxAttemptCount)
        ++counter;
}

NameKey nameKeyAction(int code)
{
    if (code == 13)
        return NameKey::Test;
    const bool passed = code == 3 || code == 22 || code == 24 || code == 8 || code == 32 || (code >= 39 && code <= 41)
                     || (code >= 43 && code <= 46) || (code >= 48 && code <= 57) || (code >= 65 && code <= 91)
                     || code == 93 || (code >= 97 && code <= 122);
    return passed ? NameKey::Pass : NameKey::Discard;
}

int nameListExtraHeight(Boolean offerNameList, int currentUnknown)
{
    if (!isTrue(offerNameList))
        return 0;
    return currentUnknown > 20 ? 1200 : 600;
}

bool nameIsAccepted(const QString& entry)
{
    const auto& m = modOrvan;
    const QString typed = entry.toUpper();
    bool found = false;
    for (int n = 1; n <= m.NameCount && n < int(m.AcceptedNames.size()); ++n)
        if (m.AcceptedNames[n].toUpper() == typed)
            found = true;
    return found;
}

void testTypedName(const QString& entry)
{
    auto& m = modOrvan;
    if (nameIsAccepted(entry)) {
        m.UnkIdentified = kTrue;
        m.IdentifiedByName = kTrue;
    }
    countAttempt(m.NameTypingTries);
    m.CurrentItem = 1;
}

StructureChoice parseStructureChoiceLine(const QString& line, const QString& programPath)
{
    StructureChoice c;
    if (line.isEmpty())
        return c;
    c.answerPicture = line.left(1).toUpper().at(0).unicode() - 65;
    c.pictureCount = std::min(CInt((line.size() - 1) / 2.0), 6);
    for (int k = 0; k < c.pictureCount; ++k)
        c.pictureFiles << programPath + QStringLiteral("/gifs/ovst") + line.mid(2 * k + 1, 2) + QStringLiteral(".gif");
    return c;
}

void chooseStructure(int selected, int answerPicture)
{
    auto& m = modOrvan;
    countAttempt(m.StructChooseTries);
    if (selected == answerPicture) {
        m.UnkIdentified = kTrue;
        m.IdentifiedByChoosing = kTrue;
    }
    m.CurrentItem = 1;
}

QString structurePictureFailureText(const QString& path)
{
    return QStringLiteral("Error loading file ") + path + vbCrLf + vbCrLf
         + QStringLiteral("Identification by choosing a structure is not possible for this unknown. "
                          "You will have to type a name.");
}

namespace {

int countRevealed(int first, int last)
{
    int n = 0;
    for (int k = first; k <= last; ++k)
        if (isTrue(modOrvan.ItemsRevealed[k]))
            ++n;
    return n;
}

} // namespace

ResignationVerdict judgeResignation()
{
    auto& m = modOrvan;
    const bool revealed5to8[4] = {isTrue(m.ItemsRevealed[5]), isTrue(m.ItemsRevealed[6]), isTrue(m.ItemsRevealed[7]),
                                  isTrue(m.ItemsRevealed[8])};
    const Boolean allowed[4] = {m.CmrAllowed, m.IrAllowed, m.MsAllowed, m.PmrAllowed};
    QString text;
    m.TextBuffer.clear();
    for (int i = 0; i < 4; ++i)
        if (!revealed5to8[i] && isTrue(allowed[i]))
            m.TextBuffer += QStringLiteral("        ") + LoadResString(itemNameResource(5 + i)) + vbCrLf;
    const bool spectrumUnseen = !m.TextBuffer.isEmpty();
    const bool anySpectrum = isTrue(m.AnySpectrumAllowed);
    if (spectrumUnseen)
        text = QStringLiteral("You have not looked at the following spectra:") + vbCrLf + m.TextBuffer + vbCrLf;

    const QString para = vbCrLf + vbCrLf;
    if (isTrue(m.BpMpAllowed) && (spectrumUnseen || !anySpectrum) && !isTrue(m.ItemsRevealed[2])
        && !isTrue(m.ItemsRevealed[3]))
        text += QStringLiteral("You have obtained neither a boiling nor melting point.") + para;

    if (isTrue(m.TestsAllowed)) {
        const int n = countRevealed(13, 31);
        const int enough = anySpectrum ? 2 : 4;
        if ((!anySpectrum || spectrumUnseen) && n < enough) {
            if (n == 0)
                text += QStringLiteral("No chemical tests have been revealed.") + para;
            else if (n == 1)
                text += QStringLiteral("Only 1 chemical test has been revealed.") + para;
            else
                text += QStringLiteral("Only ") + QString::number(n)
                      + QStringLiteral(" chemical tests have been revealed.") + para;
        }
    }

    if (isTrue(m.DerivsAllowed) && !anySpectrum && countRevealed(35, 54) - m.UnsuitableDerivs == 0)
        text += QStringLiteral("No derivatives have been obtained.") + para;

    if (isTrue(m.UnknownHelpAllowed) && !isTrue(m.ItemHelpShown[0]))
        text += QStringLiteral("You have not yet used the menu item \"Help with this unknown\".") + para;

    const int attempts = m.NameTypingTries + m.StructChooseTries + m.StructGiveTries;
    if (attempts == 0)
        text += QStringLiteral("You have not made any attempts at identifying the compound.");
    else if (attempts == 1)
        text += QStringLiteral("You have only made 1 attempt at identifying the compound.");
    else if (attempts == 2)
        text += QStringLiteral("You have only made 2 attempts at identifying the compound.");

    ResignationVerdict v;
    if (!text.isEmpty()) {
        v.text = QStringLiteral("Try a bit harder.") + para + text;
        return v;
    }
    v.accepted = true;
    v.text = QStringLiteral("A lot of information has been revealed to you.") + para
           + QStringLiteral("This should be sufficient to allow an identification. Perhaps some revision is required?");
    return v;
}

void acceptResignation()
{
    auto& m = modOrvan;
    m.UnkIdentified = kTrue;
    m.ShowReportAfterResign = kTrue;
    m.DataSaved = kFalse;
}

} // namespace orv

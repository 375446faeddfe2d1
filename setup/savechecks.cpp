#include "setup/savechecks.h"

#include <cmath>

namespace orv {

std::optional<int> simpleUnknownsFromText(const QString& text)
{
    const double v = Val(text);
    if (!std::isfinite(v) || v < -1 || v > kMaxSimpleUnknowns + 1)
        return std::nullopt;
    const int n = CInt(v);
    if (n < 0 || n > kMaxSimpleUnknowns)
        return std::nullopt;
    return n;
}

SaveMessage simpleUnknownsRefusal()
{
    return {QStringLiteral("The number of simple unknowns must be in the range 0 - 20.") + vbCrLf
                + QStringLiteral("File not saved."),
            MsgButtons::OkOnly, MsgIcon::Exclamation};
}

std::optional<SaveMessage> spectraQuestion(const ConfigSettings& s)
{
    const bool anySpectrum = isTrue(s.CmrAllowed) || isTrue(s.IrAllowed) || isTrue(s.MsAllowed) || isTrue(s.PmrAllowed)
                          || isTrue(s.UvAllowed);
    if (anySpectrum)
        return std::nullopt;
    const bool tests = isTrue(s.TestsAllowed), derivs = isTrue(s.DerivsAllowed), bpMp = isTrue(s.BpMpAllowed);
    if (!tests && !derivs)
        return SaveMessage{QStringLiteral("Are you REALLY SURE you want to prevent the use of") + vbCrLf
                               + QStringLiteral("all spectra, all tests, ")
                               + (bpMp ? QStringLiteral("and all derivatives?")
                                       : QStringLiteral("all derivatives and BP/MP?")),
                           MsgButtons::YesNo, MsgIcon::Critical};
    if (tests && !derivs)
        return SaveMessage{QStringLiteral("Are you sure you want to allow only tests and ")
                               + (bpMp ? QStringLiteral("BP/MP and ") : QString()) + vbCrLf
                               + QStringLiteral("prevent the use of all derivatives")
                               + (bpMp ? QStringLiteral(" and all spectra?")
                                       : QStringLiteral(", all spectra and BP/MP?")),
                           MsgButtons::YesNo, MsgIcon::Question};
    if (!tests && derivs)
        return SaveMessage{QStringLiteral("Are you sure you want to allow only derivatives and ")
                               + (bpMp ? QStringLiteral("BP/MP and ") : QString()) + vbCrLf
                               + QStringLiteral("prevent the use of all tests")
                               + (bpMp ? QStringLiteral(" and all spectra?")
                                       : QStringLiteral(", all spectra, and BP/MP?")),
                           MsgButtons::YesNo, MsgIcon::Question};
    return std::nullopt;
}

std::optional<SaveMessage> identificationRefusal(const ConfigSettings& s)
{
    if (isTrue(s.TypeNameOnly) || isTrue(s.OfferNameList) || isTrue(s.ChooseStructureAllowed)
        || isTrue(s.GiveStructureAllowed))
        return std::nullopt;
    return SaveMessage{QStringLiteral(
                           "All methods of identification have been disallowed. At least one must be enabled.")
                           + vbCrLf + QStringLiteral("File not saved."),
                       MsgButtons::OkOnly, MsgIcon::Critical};
}

} // namespace orv

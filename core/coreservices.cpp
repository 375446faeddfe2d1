#include "core/coreservices.h"

#include "core/modorvan.h"
#include "platform/basic.h"
#include "platform/resources.h"
#include "platform/sound.h"
#include "platform/twips.h"

namespace orv {

QString statusPanelText(int panel)
{
    const auto& m = modOrvan;
    switch (panel) {
    case 1: {
        int n = 0;
        for (int k = 1; k <= kLastItem; ++k)
            if (isTrue(m.ItemsRevealed[k]))
                ++n;
        if (n == 0)
            return {};
        if (n == 1)
            return QStringLiteral("1 item revealed");
        return QString::number(n) + QStringLiteral(" items revealed");
    }
    case 2:
        if (isTrue(m.ItemHelpShown[0]) && !m.UnkItemHelp[0].isEmpty())
            return m.UnkItemHelp[0].left(m.UnkItemHelp[0].size() - 1) + u' ';
        return {};
    case 4: return QStringLiteral("session ") + QString::number(m.SessionNumber);
    default: return {};
    }
}

void setStatusPanel(int panel, const QString& text)
{
    if (panel < 1 || panel > 4)
        return;
    auto& m = modOrvan;
    if (m.ensureMainWindow)
        m.ensureMainWindow();
    m.StatusPanelText[panel] = text;
    if (m.statusBarSink)
        m.statusBarSink(panel, text);
}

void setMainCaption(const QString& caption)
{
    auto& m = modOrvan;
    if (m.ensureMainWindow)
        m.ensureMainWindow();
    m.MainCaption = caption;
    if (m.mainCaptionSink)
        m.mainCaptionSink(caption);
}

void UpdateStatusBar(int panel)
{
    if (panel == 1 || panel == 2 || panel == 4)
        setStatusPanel(panel, statusPanelText(panel));
}

PlayedSound PlayResourceSound(const QString& kind)
{
    PlayedSound s;
    double pause = 0.1;
    if (kind == QLatin1String("Sound")) {
        s = {QStringLiteral("WAVSND"), isTrue(modOrvan.SoundOn) ? 1 : 2};
    } else if (kind == QLatin1String("Good") || kind == QLatin1String("Bad")) {
        s = {kind == QLatin1String("Good") ? QStringLiteral("WAVGD") : QStringLiteral("WAVBD"), GetRandomNum(1, 10)};
        pause = 0.3;
    } else if (kind == QLatin1String("Work")) {
        s = {QStringLiteral("CUSTOM"), 101};
    } else {
        return {};
    }
    playWavAsync(LoadResSound(s.type, s.id));
    Pause(pause);
    return s;
}

int CaptionExtraTwips() { return captionExtraTwipsFor(captionHeightPixels()); }

int GetRandomNum(int lo, int hi)
{
    const int r = lo + static_cast<int>(Int(Rnd() * (hi - lo + 1)));
    return r > hi ? hi : r;
}

} // namespace orv

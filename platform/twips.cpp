#include "platform/twips.h"

#include <QByteArray>

namespace orv {

int captionHeightPixels()
{
    // Qt sizes a window's client area, and the caption belongs to the window
    // manager; the layouts keep the designed 19-pixel caption unless a test
    // or user overrides it.
    bool ok = false;
    const int h = qEnvironmentVariableIntValue("ORVANTO_CAPTION_PIXELS", &ok);
    return ok && h > 0 ? h : 19;
}

int captionExtraTwipsFor(int h)
{
    const int r = (h - 19) * 15;
    return r == 0 ? 0 : r + 24;
}

} // namespace orv

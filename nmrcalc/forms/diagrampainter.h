#pragma once
// Paints a diagram's drawing steps (lines and text in twips) with a painter
// whose units are twips.
#include "nmrcalc/drawops.h"

#include <QFont>

class QPainter;

namespace orv {

// `penUnitTw` is one pen-width unit in twips (a screen pixel, a printer dot).
// Text is placed with its top left corner at the step's point.
void paintDrawOps(QPainter* p, const nmr::DrawOps& ops, const QFont& font, double penUnitTw);

} // namespace orv

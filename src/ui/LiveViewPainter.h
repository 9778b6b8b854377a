// Draws a live view (liveview::View) into a rectangle of a device context: the buttons as two
// rows of numbered cells, lit while pressed; each axis as a bar across its range with the dead
// zone shaded, a tick where each entry of the shift state starts to apply and a marker at its
// position; the hat as a dial with the direction it points to. Sizes follow the rectangle, so
// the view scales with the window.
#pragma once

#include <windows.h>

#include "liveview/LiveView.h"

namespace ui {

void PaintLiveView(HDC dc, const RECT& area, const liveview::View& view, HFONT font);

}  // namespace ui

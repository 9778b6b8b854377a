#include "ui/LiveViewPainter.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "ui/GdiHandles.h"

namespace ui {

namespace {

constexpr int kButtonsPerRow = 16;
constexpr int kNamedButtonsPerRow = 4;  // a pad's, with their names beside the numbers
constexpr COLORREF kLit = RGB(0, 120, 215);
constexpr COLORREF kDeadZone = RGB(200, 200, 200);
constexpr COLORREF kMark = RGB(200, 80, 0);

using BrushHandle = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using PenHandle = std::unique_ptr<std::remove_pointer_t<HPEN>, GdiObjectDeleter>;

void FillColor(HDC dc, const RECT& rect, COLORREF color) {
  const BrushHandle brush(CreateSolidBrush(color));
  FillRect(dc, &rect, brush.get());
}

void Frame(HDC dc, const RECT& rect) { FrameRect(dc, &rect, GetSysColorBrush(COLOR_BTNSHADOW)); }

void Text(HDC dc, RECT rect, const std::string& text, UINT format, COLORREF color) {
  SetTextColor(dc, color);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

bool Named(const liveview::View& view) {
  return std::any_of(view.buttonNames.begin(), view.buttonNames.end(),
                     [](const std::string& name) { return !name.empty(); });
}

int ButtonRows(const liveview::View& view) {
  const int perRow = Named(view) ? kNamedButtonsPerRow : kButtonsPerRow;
  return (static_cast<int>(view.buttons.size()) + perRow - 1) / perRow;
}

void PaintButtons(HDC dc, const RECT& area, const liveview::View& view) {
  const int perRow = Named(view) ? kNamedButtonsPerRow : kButtonsPerRow;
  const int width = (area.right - area.left) / perRow;
  const int height = (area.right - area.left) / kButtonsPerRow;
  for (std::size_t k = 0; k < view.buttons.size(); ++k) {
    const int column = static_cast<int>(k) % perRow;
    const int row = static_cast<int>(k) / perRow;
    RECT box = {area.left + column * width + 1, area.top + row * height + 1,
                area.left + (column + 1) * width - 1, area.top + (row + 1) * height - 1};
    if (view.buttons[k]) FillColor(dc, box, kLit);
    Frame(dc, box);
    std::string label = std::to_string(k + 1);
    if (k < view.buttonNames.size() && !view.buttonNames[k].empty()) {
      label += " " + view.buttonNames[k];
    }
    Text(dc, box, label, DT_CENTER | DT_END_ELLIPSIS,
         view.buttons[k] ? RGB(255, 255, 255) : GetSysColor(COLOR_BTNTEXT));
  }
}

// The x of a position on the -1..1 scale within the bar.
int XOf(const RECT& bar, double position) {
  const double clamped = std::clamp(position, -1.0, 1.0);
  return bar.left + static_cast<int>((clamped + 1) / 2 * (bar.right - bar.left - 1));
}

// Wide enough for every axis' name ("Z Axis (Right Trigger)"), within half the row.
int LabelWidth(HDC dc, int width, const liveview::View& view) {
  int widest = 0;
  for (const liveview::AxisView& axis : view.axes) {
    SIZE extent{};
    GetTextExtentPoint32A(dc, axis.name.c_str(), static_cast<int>(axis.name.size()), &extent);
    widest = std::max<int>(widest, extent.cx + 4);
  }
  return std::clamp(widest, width / 5, width / 2);
}

void PaintAxis(HDC dc, const RECT& row, const liveview::AxisView& axis, int labelWidth) {
  const int width = row.right - row.left;
  Text(dc, {row.left, row.top, row.left + labelWidth, row.bottom}, axis.name,
       DT_LEFT | DT_END_ELLIPSIS, GetSysColor(COLOR_BTNTEXT));
  const std::string value =
      (axis.deflection > 0 ? "+" : "") + std::to_string(axis.deflection) + " %";
  const int valueWidth = width / 5;
  Text(dc, {row.right - valueWidth, row.top, row.right, row.bottom}, value, DT_RIGHT,
       GetSysColor(COLOR_BTNTEXT));
  const int height = row.bottom - row.top;
  const RECT bar = {row.left + labelWidth, row.top + height / 4, row.right - valueWidth,
                    row.bottom - height / 4};
  FillColor(dc, bar, GetSysColor(COLOR_WINDOW));
  FillColor(dc, {XOf(bar, axis.deadLow), bar.top, XOf(bar, axis.deadHigh) + 1, bar.bottom},
            kDeadZone);
  for (const auto* marks : {&axis.towardsMinMarks, &axis.towardsMaxMarks}) {
    for (double mark : *marks) {
      FillColor(dc,
                {XOf(bar, mark), row.top + height / 8, XOf(bar, mark) + 1, row.bottom - height / 8},
                kMark);
    }
  }
  Frame(dc, bar);
  const int x = XOf(bar, axis.position);
  const COLORREF marker = axis.deflection != 0 ? kLit : GetSysColor(COLOR_BTNTEXT);
  FillColor(dc, {x - 2, bar.top - 2, x + 3, bar.bottom + 2}, marker);
}

void PaintHat(HDC dc, const RECT& area, const liveview::View& view) {
  const int size = std::min<int>(area.right - area.left, area.bottom - area.top);
  const int cx = (area.left + area.right) / 2, cy = (area.top + area.bottom) / 2;
  const int radius = size / 2 - 2;
  const PenHandle pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
  const SelectedObject penScope(dc, pen.get());
  const SelectedObject brushScope(dc, GetSysColorBrush(COLOR_WINDOW));
  Ellipse(dc, cx - radius, cy - radius, cx + radius, cy + radius);
  if (view.hatDegrees) {
    const double radians = *view.hatDegrees * 3.14159265358979 / 180;
    const int x = cx + static_cast<int>(std::sin(radians) * radius * 0.7);
    const int y = cy - static_cast<int>(std::cos(radians) * radius * 0.7);
    const int dot = std::max<int>(3, radius / 5);
    const BrushHandle lit(CreateSolidBrush(kLit));
    const SelectedObject litScope(dc, lit.get());
    Ellipse(dc, x - dot, y - dot, x + dot, y + dot);
  }
  Text(dc, {area.left, area.bottom, area.right, area.bottom + size / 4},
       view.hat.empty() ? view.hatName : view.hat, DT_CENTER, GetSysColor(COLOR_BTNTEXT));
}

}  // namespace

void PaintLiveView(HDC dc, const RECT& area, const liveview::View& view, HFONT font) {
  FillColor(dc, area, GetSysColor(COLOR_BTNFACE));
  const SelectedObject fontScope(dc, font);
  SetBkMode(dc, TRANSPARENT);
  const int width = area.right - area.left;
  const int cell = width / kButtonsPerRow;
  const int buttonRows = std::max(1, ButtonRows(view));
  PaintButtons(dc, area, view);

  const int top = area.top + buttonRows * cell + cell / 2;
  const int hatSize = view.hasHat ? std::min<int>(width / 4, (area.bottom - top) * 3 / 4) : 0;
  const RECT axesArea = {area.left, top, area.right - hatSize - (hatSize > 0 ? cell / 2 : 0),
                         area.bottom};
  const int rowHeight = std::min<int>(cell, (area.bottom - top) / 6);
  const int labelWidth = LabelWidth(dc, axesArea.right - axesArea.left, view);
  for (std::size_t i = 0; i < view.axes.size(); ++i) {
    const int rowTop = axesArea.top + static_cast<int>(i) * rowHeight;
    PaintAxis(dc, {axesArea.left, rowTop, axesArea.right, rowTop + rowHeight - 2}, view.axes[i],
              labelWidth);
  }
  if (view.hasHat) PaintHat(dc, {area.right - hatSize, top, area.right, top + hatSize}, view);
}

}  // namespace ui

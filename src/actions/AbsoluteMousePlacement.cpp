#include "actions/AbsoluteMousePlacement.h"

#include <algorithm>

#include "actions/TextRules.h"
#include "platform/Platform.h"

CAbsoluteMousePlacement& CAbsoluteMousePlacement::Instance() {
  // Never destroyed: mouse actions of static storage (the library's templates) withdraw from it
  // during static destruction, in no particular order with it.
  static CAbsoluteMousePlacement* const instance = new CAbsoluteMousePlacement();
  return *instance;
}

std::int32_t CAbsoluteMousePlacement::Round(double value) {
  const std::int32_t n = actions::TruncateToInt(value);
  if (n < INT32_MAX && value >= static_cast<double>(n) + 0.5) return n + 1;
  return n;
}

void CAbsoluteMousePlacement::UpdateAndPlace(const CMouseAction* action, double offsetX,
                                             double offsetY, bool contributing) {
  std::lock_guard lock(lock_);
  auto it = std::find_if(contributors_.begin(), contributors_.end(),
                         [action](const Contributor& c) { return c.action == action; });
  if (!contributing) {
    if (it != contributors_.end()) contributors_.erase(it);
  } else if (it == contributors_.end()) {
    contributors_.push_back({action, offsetX, offsetY});
  } else {
    it->offsetX = offsetX;
    it->offsetY = offsetY;
  }
  PlaceLocked();
}

void CAbsoluteMousePlacement::Withdraw(const CMouseAction* action) {
  std::lock_guard lock(lock_);
  std::erase_if(contributors_, [action](const Contributor& c) { return c.action == action; });
}

bool CAbsoluteMousePlacement::IsContributor(const CMouseAction* action) const {
  std::lock_guard lock(lock_);
  return std::any_of(contributors_.begin(), contributors_.end(),
                     [action](const Contributor& c) { return c.action == action; });
}

std::size_t CAbsoluteMousePlacement::ContributorCount() const {
  std::lock_guard lock(lock_);
  return contributors_.size();
}

void CAbsoluteMousePlacement::Reset() {
  std::lock_guard lock(lock_);
  contributors_.clear();
  lastX_ = lastY_ = -1.0;
}

void CAbsoluteMousePlacement::PlaceLocked() {
  seam::IDesktop& desktop = seam::Desktop();
  const double width = desktop.FullScreenWidth();
  const double height = desktop.FullScreenHeight();

  double x = width * 0.5;
  double y = height * 0.5;
  for (const Contributor& c : contributors_) {
    x += c.offsetX;
    y += c.offsetY;
  }
  const double targetX = Round(x);
  const double targetY = Round(y);

  int x1 = 0, y1 = 0;
  desktop.GetCursorPos(x1, y1);
  // While a last target is known, send the change since then around the centre.
  double sendX = targetX;
  double sendY = targetY;
  if (lastX_ != -1.0 && lastY_ != -1.0) {
    sendX = width * 0.5 + (targetX - lastX_);
    sendY = height * 0.5 + (targetY - lastY_);
  }
  seam::Input().MouseEvent(seam::kMouseMove | seam::kMouseAbsolute, Round(sendX / width * 65535.0),
                           Round(sendY / height * 65535.0), 0);
  int x2 = 0, y2 = 0;
  desktop.GetCursorPos(x2, y2);
  if (x1 == x2 && y1 == y2) {
    lastX_ = targetX;
    lastY_ = targetY;
  } else {
    lastX_ = lastY_ = -1.0;
  }
}

#include "qt/WindowMessages.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "platform/Findings.h"
#include "qt/UserInterface.h"

namespace qtui {

WindowMessages::WindowMessages(UserInterface& user, std::function<QWidget*()> owner)
    : user_(user), owner_(std::move(owner)), mainThread_(std::this_thread::get_id()) {}

seam::MessageAnswer WindowMessages::Show(const std::string& text, const std::string& caption,
                                         seam::MessageButtons buttons, seam::MessageIcon icon) {
  if (std::this_thread::get_id() == mainThread_) {
    return user_.Ask(owner_(), text, caption, buttons, icon);
  }
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [this, text, caption, icon] {
        user_.Ask(owner_(), text, caption, seam::MessageButtons::Ok, icon);
      },
      Qt::QueuedConnection);
  switch (buttons) {
    case seam::MessageButtons::Ok:
      return seam::MessageAnswer::Ok;
    case seam::MessageButtons::YesNo:
      return seam::MessageAnswer::No;
    default:
      return seam::MessageAnswer::Cancel;
  }
}

void WindowMessages::ShowFindings(const std::vector<seam::Finding>& findings) {
  if (findings.empty()) return;
  const seam::Finding shown = seam::CombineFindings(findings, /*nameFiles=*/true);
  Show(shown.text, shown.caption, seam::MessageButtons::Ok, shown.icon);
}

}  // namespace qtui

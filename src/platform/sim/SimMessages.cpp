#include "platform/sim/SimMessages.h"

namespace seam {

bool Offers(MessageButtons buttons, MessageAnswer answer) {
  switch (buttons) {
    case MessageButtons::Ok:
      return answer == MessageAnswer::Ok;
    case MessageButtons::OkCancel:
      return answer == MessageAnswer::Ok || answer == MessageAnswer::Cancel;
    case MessageButtons::YesNo:
      return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
    case MessageButtons::YesNoCancel:
      return answer != MessageAnswer::Ok;
  }
  return false;
}

MessageAnswer SimMessages::Show(const std::string& text, const std::string& caption,
                                MessageButtons buttons, MessageIcon icon) {
  MessageAnswer answer = DefaultAnswer(buttons);
  {
    std::lock_guard guard(lock_);
    if (buttons != MessageButtons::Ok && !answers_.empty()) {
      const MessageAnswer scripted = answers_.front();
      answers_.pop_front();
      if (Offers(buttons, scripted)) answer = scripted;
    }
  }
  Append({text, caption, buttons, icon, answer});
  return answer;
}

void SimMessages::QueueAnswer(MessageAnswer answer) {
  std::lock_guard guard(lock_);
  answers_.push_back(answer);
}

std::size_t SimMessages::PendingAnswers() {
  std::lock_guard guard(lock_);
  return answers_.size();
}

}  // namespace seam

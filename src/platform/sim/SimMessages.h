// Message boxes that never block: each is recorded, and questions take their answers from a
// script that tests fill beforehand.
#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/RecordLog.h"

namespace seam {

struct MessageRecord {
  std::string text;
  std::string caption;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  MessageAnswer answer = MessageAnswer::Ok;
  bool operator==(const MessageRecord&) const = default;
};

class SimMessages : public IMessages, public RecordLog<MessageRecord> {
 public:
  // A plain Ok message answers Ok and leaves the script alone. A question takes the next
  // scripted answer; with none left it answers No (Cancel for Ok/Cancel). A scripted answer
  // that the box does not offer (Yes to Ok/Cancel, say) is used up and the box answers as if
  // none had been scripted.
  MessageAnswer Show(const std::string& text, const std::string& caption, MessageButtons buttons,
                     MessageIcon icon) override;

  void QueueAnswer(MessageAnswer answer);
  std::size_t PendingAnswers();

 private:
  std::mutex lock_;  // guards answers_
  std::deque<MessageAnswer> answers_;
};

// Whether a box with these buttons can give this answer.
bool Offers(MessageButtons buttons, MessageAnswer answer);

}  // namespace seam

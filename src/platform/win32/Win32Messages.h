// Message boxes without an owner window.
#pragma once

#include "platform/Platform.h"

namespace seam {

// Stateless. A box shown from any thread blocks that thread until it is answered.
class Win32Messages : public IMessages {
 public:
  MessageAnswer Show(const std::string& text, const std::string& caption, MessageButtons buttons,
                     MessageIcon icon) override;
};

}  // namespace seam

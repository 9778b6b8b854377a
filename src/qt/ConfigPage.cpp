#include "qt/ConfigPage.h"

namespace qtui {

ConfigPage::ConfigPage(const WindowContext& context, std::function<void()> changedStateChanged)
    : context_(context), changedStateChanged_(std::move(changedStateChanged)) {}

void ConfigPage::SetChanged(bool changed) {
  changed_ = changed;
  if (changedStateChanged_) changedStateChanged_();
}

}  // namespace qtui

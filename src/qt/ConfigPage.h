// One tab of the Linux configuration window: it keeps its own edits and its own changed state,
// and writes its files when the window applies its pages (as the Windows pages do).
#pragma once

#include <QWidget>
#include <functional>

class CTandrelConfiguration;

namespace qtui {

class UserInterface;

// What the window's pages use from the running program; not owned.
struct WindowContext {
  CTandrelConfiguration& configuration;
  UserInterface& user;
};

class ConfigPage : public QWidget {
 public:
  ConfigPage(const WindowContext& context, std::function<void()> changedStateChanged);

  bool IsChanged() const { return changed_; }
  // Writes the page's edits to their files; a page that could not write them stays changed.
  virtual void Apply() = 0;
  // The user turned to the page's tab, or away from it.
  virtual void Shown() {}
  virtual void Hidden() {}

 protected:
  void SetChanged(bool changed);
  CTandrelConfiguration& Configuration() const { return context_.configuration; }
  UserInterface& User() const { return context_.user; }

 private:
  const WindowContext context_;
  const std::function<void()> changedStateChanged_;
  bool changed_ = false;
};

}  // namespace qtui

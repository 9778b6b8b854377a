#include "qt/ConfigWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "config/TandrelConfiguration.h"
#include "qt/ActionsPage.h"
#include "qt/JoysticksPage.h"
#include "qt/LiveViewPage.h"
#include "qt/ProfilesPage.h"

namespace qtui {

ConfigWindow::ConfigWindow(const WindowContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
  setWindowTitle(kTitle);
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  const auto changed = [this] { UpdateApplyButton(); };
  joysticks_ = new JoysticksPage(context_, changed);
  profiles_ = new ProfilesPage(context_, changed);
  actions_ = new ActionsPage(context_, changed, [this] { return profiles_; });
  live_ = new LiveViewPage(context_, changed);
  tabs_->addTab(joysticks_, "Joysticks");
  tabs_->addTab(profiles_, "Profiles");
  tabs_->addTab(actions_, "Actions");
  tabs_->addTab(live_, "Live View");
  layout->addWidget(tabs_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  ok_ = new QPushButton("OK", this);
  cancel_ = new QPushButton("Cancel", this);
  apply_ = new QPushButton("&Apply", this);
  ok_->setDefault(true);
  apply_->setEnabled(false);
  for (QPushButton* button : {ok_, cancel_, apply_}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  ok_->setDefault(true);
  layout->addLayout(buttons);
  connect(ok_, &QPushButton::clicked, this, [this] { Ok(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
  connect(apply_, &QPushButton::clicked, this, [this] { ApplyAll(); });
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) { TabChanged(index); });
  building_ = false;
  UpdateApplyButton();
}

ConfigWindow::~ConfigWindow() {
  // The pages end what waits on the user (a detection, a held-back controller) with the window.
  if (ConfigPage* page = PageAt(currentTab_)) page->Hidden();
}

ConfigPage* ConfigWindow::PageAt(int index) const {
  return index < 0 || tabs_ == nullptr ? nullptr : static_cast<ConfigPage*>(tabs_->widget(index));
}

void ConfigWindow::TabChanged(int index) {
  if (ConfigPage* old = PageAt(currentTab_)) old->Hidden();
  currentTab_ = index;
  if (ConfigPage* page = PageAt(index)) page->Shown();
}

void ConfigWindow::UpdateApplyButton() {
  if (building_) return;
  apply_->setEnabled(profiles_->IsChanged() || actions_->IsChanged() || joysticks_->IsChanged());
}

void ConfigWindow::ApplyAll() {
  joysticks_->Apply();
  profiles_->Apply();
  actions_->Apply();
  // A page that could not write its files keeps its edits (the action library's live only in
  // memory, so a reload would throw them away): the reload waits for an Apply that writes them
  // all.
  if (actions_->IsChanged() || profiles_->IsChanged() || joysticks_->IsChanged()) {
    UpdateApplyButton();
    return;
  }
  apply_->setEnabled(false);
  context_.configuration.Load();
}

void ConfigWindow::Ok() {
  ApplyAll();
  UpdateApplyButton();
  if (!apply_->isEnabled()) accept();
}

void ConfigWindow::reject() {
  if (ConfigPage* page = PageAt(currentTab_)) page->Hidden();
  // Whatever the pages changed in memory (the action library) goes back to the files' state.
  context_.configuration.Load();
  QDialog::reject();
}

void ConfigWindow::closeEvent(QCloseEvent* event) {
  closedByFrame_ = true;
  QDialog::closeEvent(event);  // rejects: Cancel
}

}  // namespace qtui

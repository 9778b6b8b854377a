#include "qt/ActionPanels.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "actions/MouseWheelAction.h"

namespace qtui {

namespace {

int StoredOf(const actionedit::NumberField& field, const QLineEdit* box) {
  return actionedit::StoredNumber(field, box->text().toStdString());
}

void ShowNumber(QLineEdit* box, int value) { box->setText(QString::number(value)); }

}  // namespace

PushTypeButtons::PushTypeButtons(bool repeatAndToggle) : QGroupBox("Push Type") {
  auto* layout = new QVBoxLayout(this);
  auto* group = new QButtonGroup(this);
  std::vector<std::pair<PushType, const char*>> types = {{PushType::Hold, "Hold"},
                                                         {PushType::Hit, "Hit"}};
  if (repeatAndToggle) {
    types.push_back({PushType::Repeat, "Repeat"});
    types.push_back({PushType::Toggle, "Toggle"});
  }
  for (const auto& [type, text] : types) {
    auto* button = new QRadioButton(text);
    group->addButton(button);
    layout->addWidget(button);
    buttons_.emplace_back(type, button);
  }
  buttons_.front().second->setChecked(true);
}

PushType PushTypeButtons::Get() const {
  for (const auto& [type, button] : buttons_) {
    if (button->isChecked()) return type;
  }
  return PushType::None;
}

void PushTypeButtons::Set(PushType type) {
  if (QRadioButton* button = Button(type)) button->setChecked(true);
}

QRadioButton* PushTypeButtons::Button(PushType type) const {
  for (const auto& [t, button] : buttons_) {
    if (t == type) return button;
  }
  return nullptr;
}

// Shows the stored value once the user leaves the box, so what it says is what Save writes.
class StoredNumberBox : public QLineEdit {
 public:
  StoredNumberBox(int digits, std::function<void(QLineEdit*)> showStored)
      : showStored_(std::move(showStored)) {
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString("\\d{0,%1}").arg(digits)), this));
    setMaxLength(digits);
    setMaximumWidth(64);
  }

 protected:
  void focusOutEvent(QFocusEvent* event) override {
    QLineEdit::focusOutEvent(event);
    if (showStored_) showStored_(this);
  }

 private:
  const std::function<void(QLineEdit*)> showStored_;
};

QLineEdit* NumberBox(int digits, std::function<void(QLineEdit*)> showStored) {
  return new StoredNumberBox(digits, std::move(showStored));
}

MousePanel::MousePanel() {
  auto* layout = new QHBoxLayout(this);
  pushType = new PushTypeButtons(false);
  layout->addWidget(pushType);
  auto* grid = new QGridLayout;
  direction = NumberBox(3, [](QLineEdit* box) {
    ShowNumber(box, actionedit::StoredDirection(box->text().toStdString()));
  });
  speed =
      NumberBox(3, [](QLineEdit* box) { ShowNumber(box, StoredOf(actionedit::kMouseSpeed, box)); });
  delay = NumberBox(
      3, [](QLineEdit* box) { ShowNumber(box, StoredOf(actionedit::kUpdateDelay, box)); });
  acceleration = NumberBox(3, nullptr);
  absolute = new QCheckBox("Absolute");
  grid->addWidget(new QLabel("Direction:"), 0, 0);
  grid->addWidget(direction, 0, 1);
  grid->addWidget(new QLabel("Speed:"), 0, 2);
  grid->addWidget(speed, 0, 3);
  grid->addWidget(new QLabel("Update Delay:"), 1, 0);
  grid->addWidget(delay, 1, 1);
  grid->addWidget(new QLabel("Acceleration:"), 1, 2);
  grid->addWidget(acceleration, 1, 3);
  grid->addWidget(absolute, 2, 0, 1, 2);
  layout->addLayout(grid, 1);
}

void MousePanel::ReadValues(actionedit::ActionPanelValues& values) {
  actionedit::MousePanelValues& mouse = values.mouse;
  mouse.pushType = pushType->Get();
  mouse.absolute = absolute->isChecked();
  mouse.acceleration = acceleration->text().toInt();
  mouse.delay = StoredOf(actionedit::kUpdateDelay, delay);
  mouse.direction = actionedit::StoredDirection(direction->text().toStdString());
  mouse.speed = StoredOf(actionedit::kMouseSpeed, speed);
}

void MousePanel::ShowValues(const actionedit::ActionPanelValues& values) {
  const actionedit::MousePanelValues& mouse = values.mouse;
  absolute->setChecked(mouse.absolute);
  ShowNumber(acceleration, mouse.acceleration);
  ShowNumber(delay, mouse.delay);
  ShowNumber(direction, mouse.direction);
  pushType->Set(mouse.pushType);
  ShowNumber(speed, mouse.speed);
}

WheelPanel::WheelPanel() {
  auto* layout = new QHBoxLayout(this);
  pushType = new PushTypeButtons(false);
  layout->addWidget(pushType);
  auto* directions = new QGroupBox("Direction");
  auto* directionLayout = new QVBoxLayout(directions);
  up = new QRadioButton("Up");
  down = new QRadioButton("Down");
  directionLayout->addWidget(up);
  directionLayout->addWidget(down);
  up->setChecked(true);
  layout->addWidget(directions);
  auto* grid = new QGridLayout;
  lines =
      NumberBox(1, [](QLineEdit* box) { ShowNumber(box, StoredOf(actionedit::kWheelLines, box)); });
  delay = NumberBox(
      3, [](QLineEdit* box) { ShowNumber(box, StoredOf(actionedit::kUpdateDelay, box)); });
  grid->addWidget(new QLabel("Lines To Scroll:"), 0, 0);
  grid->addWidget(lines, 0, 1);
  grid->addWidget(new QLabel("Update Delay:"), 1, 0);
  grid->addWidget(delay, 1, 1);
  layout->addLayout(grid, 1);
}

void WheelPanel::ReadValues(actionedit::ActionPanelValues& values) {
  values.wheel.pushType = pushType->Get();
  values.wheel.direction =
      down->isChecked() && !up->isChecked() ? CMouseWheelAction::kDown : CMouseWheelAction::kUp;
  values.wheel.delay = StoredOf(actionedit::kUpdateDelay, delay);
  values.wheel.lines = StoredOf(actionedit::kWheelLines, lines);
}

void WheelPanel::ShowValues(const actionedit::ActionPanelValues& values) {
  ShowNumber(delay, values.wheel.delay);
  if (values.wheel.direction == CMouseWheelAction::kUp) up->setChecked(true);
  if (values.wheel.direction == CMouseWheelAction::kDown) down->setChecked(true);
  ShowNumber(lines, values.wheel.lines);
  pushType->Set(values.wheel.pushType);
}

CombinationPanel::CombinationPanel() {
  auto* layout = new QHBoxLayout(this);
  pushType = new PushTypeButtons(false);
  layout->addWidget(pushType, 0, Qt::AlignTop);
  auto* parts = new QGroupBox("Combined Actions");
  auto* grid = new QGridLayout(parts);
  available = new QListWidget;
  available->setSortingEnabled(true);
  combined = new QListWidget;
  add = new QPushButton("Add");
  remove = new QPushButton("Remove");
  up = new QPushButton("Up");
  down = new QPushButton("Down");
  partHold = new QRadioButton("Hold");
  partHit = new QRadioButton("Hit");
  partGroup_ = new QButtonGroup(this);
  partGroup_->addButton(partHold);
  partGroup_->addButton(partHit);
  grid->addWidget(new QLabel("Available Actions:"), 0, 0);
  grid->addWidget(available, 1, 0, 2, 1);
  grid->addWidget(add, 1, 1);
  grid->addWidget(new QLabel("Combined Actions:"), 3, 0);
  grid->addWidget(combined, 4, 0, 2, 1);
  grid->addWidget(remove, 4, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(partHold);
  bottom->addWidget(partHit);
  bottom->addStretch();
  bottom->addWidget(up);
  bottom->addWidget(down);
  grid->addLayout(bottom, 6, 0, 1, 2);
  layout->addWidget(parts, 1);
  add->setEnabled(false);
  ClearCombined();

  connect(available, &QListWidget::itemSelectionChanged, this,
          [this] { add->setEnabled(available->currentRow() >= 0); });
  connect(add, &QPushButton::clicked, this, [this] {
    const QListWidgetItem* item = available->currentItem();
    if (item == nullptr) return;
    const auto index = static_cast<std::size_t>(item->data(Qt::UserRole).toInt());
    if (index >= available_.size()) return;
    actionedit::CombinedEntry part = available_[index];
    part.pushType = PushType::Hold;
    AddCombined(part);
  });
  connect(combined, &QListWidget::itemSelectionChanged, this, [this] { ShowSelectedPart(); });
  connect(remove, &QPushButton::clicked, this, [this] {
    const int selection = combined->currentRow();
    if (selection < 0 || static_cast<std::size_t>(selection) >= combined_.size()) return;
    combined_.erase(combined_.begin() + selection);
    delete combined->takeItem(selection);
    combined->setCurrentRow(-1);
    remove->setEnabled(false);
    up->setEnabled(false);
    down->setEnabled(false);
    DisablePartButtons();
  });
  connect(up, &QPushButton::clicked, this, [this] { MoveSelectedPart(-1); });
  connect(down, &QPushButton::clicked, this, [this] { MoveSelectedPart(+1); });
  connect(partHold, &QRadioButton::clicked, this, [this] { SetSelectedPartPushType(); });
  connect(partHit, &QRadioButton::clicked, this, [this] { SetSelectedPartPushType(); });
}

void CombinationPanel::FillAvailable(std::vector<actionedit::CombinedEntry> entries) {
  available_ = std::move(entries);
  available->clear();
  for (std::size_t i = 0; i < available_.size(); ++i) {
    auto* item = new QListWidgetItem(QString::fromStdString(actionedit::EntryText(available_[i])));
    item->setData(Qt::UserRole, static_cast<int>(i));
    available->addItem(item);
  }
  add->setEnabled(false);
}

void CombinationPanel::ClearCombined() {
  combined->clear();
  combined_.clear();
  remove->setEnabled(false);
  up->setEnabled(false);
  down->setEnabled(false);
  DisablePartButtons();
}

void CombinationPanel::AddCombined(const actionedit::CombinedEntry& entry) {
  combined_.push_back(entry);
  combined->addItem(QString::fromStdString(actionedit::EntryText(entry)));
}

void CombinationPanel::DisablePartButtons() {
  // An exclusive group keeps one button checked: both are unchecked outside it.
  partGroup_->setExclusive(false);
  for (QRadioButton* button : {partHold, partHit}) {
    button->setChecked(false);
    button->setEnabled(false);
  }
  partGroup_->setExclusive(true);
}

void CombinationPanel::ShowSelectedPart() {
  const int selection = combined->currentRow();
  if (selection < 0 || static_cast<std::size_t>(selection) >= combined_.size() ||
      combined->selectedItems().isEmpty()) {
    remove->setEnabled(false);
    DisablePartButtons();  // "Up" and "Down" stay as they are
    return;
  }
  const int last = static_cast<int>(combined_.size()) - 1;
  remove->setEnabled(true);
  up->setEnabled(selection > 0);
  down->setEnabled(selection < last);
  const PushType type = combined_[static_cast<std::size_t>(selection)].pushType;
  partHold->setEnabled(true);
  partHit->setEnabled(true);
  partHold->setChecked(type == PushType::Hold);
  partHit->setChecked(type == PushType::Hit);
}

void CombinationPanel::MoveSelectedPart(int step) {
  const int from = combined->currentRow();
  const int to = from + step;
  const int count = static_cast<int>(combined_.size());
  if (from < 0 || from >= count || to < 0 || to >= count) return;
  std::swap(combined_[static_cast<std::size_t>(from)], combined_[static_cast<std::size_t>(to)]);
  combined->insertItem(to, combined->takeItem(from));
  combined->setCurrentRow(to);
}

void CombinationPanel::SetSelectedPartPushType() {
  const int selection = combined->currentRow();
  if (selection < 0 || static_cast<std::size_t>(selection) >= combined_.size()) return;
  PushType& type = combined_[static_cast<std::size_t>(selection)].pushType;
  if (partHold->isChecked()) {
    type = PushType::Hold;
  } else if (partHit->isChecked()) {
    type = PushType::Hit;
  }
}

void CombinationPanel::ReadValues(actionedit::ActionPanelValues& values) {
  values.complex.pushType = pushType->Get();
  values.complex.parts = combined_;
}

void CombinationPanel::ShowValues(const actionedit::ActionPanelValues& values) {
  pushType->Set(values.complex.pushType);
  ClearCombined();
  for (const auto& part : values.complex.parts) AddCombined(part);
}

}  // namespace qtui

#include "qt/ActionsPage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "actionedit/ActionDisplay.h"
#include "actionedit/ActionSave.h"
#include "actionedit/LibraryLists.h"
#include "actions/ActionLibrary.h"
#include "config/ConfigDocument.h"
#include "config/TandrelConfiguration.h"
#include "profileedit/ActionUsers.h"
#include "qt/ActionPanels.h"
#include "qt/KeyPanel.h"
#include "qt/ProfilesPage.h"
#include "qt/UserInterface.h"

namespace qtui {

namespace {

constexpr int kTextLimit = 255;

// The names as the Windows boxes sort them: without regard to case.
void FillSorted(QComboBox* box, std::vector<std::string> texts) {
  std::stable_sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
    return QString::compare(QString::fromStdString(a), QString::fromStdString(b),
                            Qt::CaseInsensitive) < 0;
  });
  box->clear();
  for (const std::string& text : texts) box->addItem(QString::fromStdString(text));
}

// Selects the entry of that text (any case), or writes the text into the box's field.
void SelectOrWrite(QComboBox* box, const std::string& text) {
  const int index = box->findText(QString::fromStdString(text), Qt::MatchFixedString);
  if (index >= 0) {
    box->setCurrentIndex(index);
  } else {
    box->setEditText(QString::fromStdString(text));
  }
}

QComboBox* EditableBox() {
  auto* box = new QComboBox;
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->lineEdit()->setMaxLength(kTextLimit);
  return box;
}

// What the panel area shows while no type is checked (an empty library).
class EmptyPanel : public ActionPanel {
 public:
  void ReadValues(actionedit::ActionPanelValues&) override {}
  void ShowValues(const actionedit::ActionPanelValues&) override {}
};

}  // namespace

ActionsPage::ActionsPage(const WindowContext& context, std::function<void()> changed,
                         std::function<ProfilesPage*()> profiles)
    : ConfigPage(context, std::move(changed)), profiles_(std::move(profiles)) {
  auto* layout = new QVBoxLayout(this);
  auto* select = new QGroupBox("Select Action");
  auto* grid = new QGridLayout(select);
  themes_ = EditableBox();
  names_ = EditableBox();
  themes_->setAccessibleName("Theme");
  names_->setAccessibleName("Action");
  save_ = new QPushButton("Save");
  delete_ = new QPushButton("Delete");
  grid->addWidget(new QLabel("Theme:"), 0, 0);
  grid->addWidget(themes_, 0, 1, 1, 3);
  grid->addWidget(new QLabel("Action:"), 1, 0);
  grid->addWidget(names_, 1, 1);
  grid->addWidget(save_, 1, 2);
  grid->addWidget(delete_, 1, 3);
  grid->setColumnStretch(1, 1);
  layout->addWidget(select);

  auto* types = new QGroupBox("Action Type");
  auto* typesLayout = new QHBoxLayout(types);
  auto* group = new QButtonGroup(this);
  const char* texts[] = {"Virtual Key", "Mouse Movement", "Mouse Wheel", "Combination"};
  for (std::size_t i = 0; i < typeButtons_.size(); ++i) {
    typeButtons_[i] = new QRadioButton(texts[i]);
    group->addButton(typeButtons_[i]);
    typesLayout->addWidget(typeButtons_[i]);
    connect(typeButtons_[i], &QRadioButton::clicked, this, [this] { ShowPanelForType(); });
  }
  layout->addWidget(types);

  panels_ = new QStackedWidget;
  nonePanel_ = new EmptyPanel;
  keyPanel_ = new KeyPanel;
  mousePanel_ = new MousePanel;
  wheelPanel_ = new WheelPanel;
  complexPanel_ = new CombinationPanel;
  for (ActionPanel* panel : std::initializer_list<ActionPanel*>{nonePanel_, keyPanel_, mousePanel_,
                                                                wheelPanel_, complexPanel_}) {
    panels_->addWidget(panel);
  }
  layout->addWidget(panels_, 1);

  connect(save_, &QPushButton::clicked, this, [this] { SaveAction(); });
  connect(delete_, &QPushButton::clicked, this, [this] { DeleteSelectedAction(); });
  connect(themes_, &QComboBox::activated, this, [this](int index) {
    theme_ = themes_->itemText(index).toStdString();
    FillActionList();
  });
  connect(themes_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
    theme_ = text.left(kTextLimit).toStdString();
    FillActionList();
  });
  connect(names_, &QComboBox::activated, this, [this](int index) {
    name_ = names_->itemText(index).toStdString();
    ShowSelectedAction();
  });
  connect(names_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
    name_ = text.left(kTextLimit).toStdString();
    ShowSelectedAction();
  });

  FillThemeList();
  FillActionList();
}

std::array<ActionsPage::TypeChoice, 4> ActionsPage::Types() const {
  return {{{actionedit::ActionKind::VirtualKey, typeButtons_[0], keyPanel_},
           {actionedit::ActionKind::MouseMovement, typeButtons_[1], mousePanel_},
           {actionedit::ActionKind::MouseWheel, typeButtons_[2], wheelPanel_},
           {actionedit::ActionKind::Combination, typeButtons_[3], complexPanel_}}};
}

QRadioButton* ActionsPage::TypeButton(actionedit::ActionKind kind) const {
  for (const TypeChoice& type : Types()) {
    if (type.kind == kind) return type.button;
  }
  return nullptr;
}

void ActionsPage::Apply() {
  // A failed write has been reported by the configuration; the edits stay for another try.
  SetChanged(!Configuration().SaveActionsFile(IsChanged()));
}

void ActionsPage::Hidden() { keyPanel_->StopWaiting(); }

void ActionsPage::FillThemeList(const std::optional<std::string>& theme) {
  FillSorted(themes_, actionedit::ThemeNames());
  complexPanel_->FillAvailable(actionedit::AvailableEntries());
  themes_->setCurrentIndex(themes_->count() > 0 ? 0 : -1);  // the alphabetically first theme
  theme_ = theme.value_or(themes_->currentText().toStdString());
  if (theme) SelectOrWrite(themes_, theme_);
}

void ActionsPage::FillActionList(const std::optional<std::string>& name) {
  FillSorted(names_, actionedit::ActionNamesOfTheme(theme_));
  names_->setCurrentIndex(names_->count() > 0 ? 0 : -1);
  name_ = name.value_or(names_->currentText().toStdString());
  if (name) SelectOrWrite(names_, name_);
  ShowSelectedAction();
}

void ActionsPage::ShowSelectedAction() {
  actionedit::ActionPanelValues values = PanelValues();
  if (!actionedit::ShowLibraryAction(theme_, name_, values)) {
    EnableTypeButtons(true);
    return;
  }
  ShowPanelValues(values);
}

actionedit::ActionPanelValues ActionsPage::PanelValues() const {
  actionedit::ActionPanelValues values;
  for (const TypeChoice& type : Types()) {
    type.panel->ReadValues(values);
    if (type.button->isChecked()) values.checked = type.kind;
  }
  return values;
}

void ActionsPage::ShowPanelValues(const actionedit::ActionPanelValues& values) {
  for (const TypeChoice& type : Types()) {
    if (type.kind == values.checked) type.button->setChecked(true);
  }
  // The type of an existing action cannot be changed.
  EnableTypeButtons(false);
  for (const TypeChoice& type : Types()) {
    if (type.kind != values.checked) continue;
    type.panel->ShowValues(values);
    panels_->setCurrentWidget(type.panel);
  }
}

void ActionsPage::ShowPanelForType() {
  for (const TypeChoice& type : Types()) {
    if (type.button->isChecked()) panels_->setCurrentWidget(type.panel);
  }
}

void ActionsPage::EnableTypeButtons(bool enabled) {
  for (QRadioButton* button : typeButtons_) button->setEnabled(enabled);
}

void ActionsPage::SaveAction() {
  keyPanel_->StopWaiting();
  const actionedit::EditResult result = actionedit::SaveAction(theme_, name_, PanelValues());
  switch (result.outcome) {
    case actionedit::EditOutcome::Nothing:
    case actionedit::EditOutcome::Deleted:  // a save deletes nothing
      return;
    case actionedit::EditOutcome::Refused:
      ShowRefusal(result.message, result.caption, result.icon);
      return;
    case actionedit::EditOutcome::Changed:
      SetChanged(true);  // the page stays on this action
      return;
    case actionedit::EditOutcome::Created:
      // A new theme appears, and the combination panel lists the new action.
      FillThemeList(theme_);
      FillActionList(name_);
      SetChanged(true);
      return;
  }
}

void ActionsPage::ShowRefusal(const std::string& message, const std::string& caption,
                              seam::MessageIcon icon) {
  User().Ask(this, message, caption, seam::MessageButtons::Ok, icon);
}

bool ActionsPage::MayDeleteUsedAction() {
  ProfilesPage* profiles = profiles_();
  const std::string question = profileedit::DeleteUsedActionQuestion(
      name_, profileedit::ProfilesUsingAction(Configuration().GetProfileFileNames(), theme_, name_),
      profiles != nullptr ? profiles->FileUsingAction(theme_, name_) : std::nullopt,
      config::ComparablePath);
  if (question.empty()) return true;
  return User().Ask(this, question, profileedit::kDeleteUsedActionCaption,
                    seam::MessageButtons::YesNo, seam::MessageIcon::Question,
                    /*noByDefault=*/true) == seam::MessageAnswer::Yes;
}

void ActionsPage::DeleteSelectedAction() {
  {
    const auto lock = LockActionLibrary();
    if (FindAction(theme_.c_str(), name_.c_str()) == nullptr) return;
  }
  if (const actionedit::EditResult refused = actionedit::DeletionRefusal(theme_, name_);
      refused.outcome == actionedit::EditOutcome::Refused) {
    ShowRefusal(refused.message, refused.caption, refused.icon);
    return;
  }
  if (!MayDeleteUsedAction()) return;
  const actionedit::EditResult result = actionedit::DeleteSelectedAction(theme_, name_);
  if (result.outcome == actionedit::EditOutcome::Refused) {
    ShowRefusal(result.message, result.caption, result.icon);
  }
  if (result.outcome != actionedit::EditOutcome::Deleted) return;
  // The theme stays listed even when it lost its last action.
  FillThemeList(theme_);
  FillActionList();  // selects the first action of the theme and shows it
  SetChanged(true);
}

}  // namespace qtui

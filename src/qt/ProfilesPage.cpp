#include "qt/ProfilesPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "actionedit/LibraryLists.h"
#include "config/ConfigDocument.h"
#include "config/DetectionRun.h"
#include "config/TandrelConfiguration.h"
#include "engine/InputDetector.h"
#include "platform/Platform.h"
#include "profileedit/ActionAssignment.h"
#include "profileedit/ActionUsers.h"
#include "profileedit/AxisSettings.h"
#include "profileedit/ShiftButtons.h"
#include "qt/ActionPanels.h"
#include "qt/UserInterface.h"
#include "xml/XMLNode.h"
#include "xml/XMLSave.h"

namespace qtui {

namespace {

constexpr const char* kFileDialogTitle = "Select A Configuration File";
constexpr int kDetectRefreshMs = 33;

QString Q(const std::string& text) { return QString::fromStdString(text); }

int FindExact(const QComboBox* box, const std::string& text) {
  return box->findText(Q(text), Qt::MatchFixedString);
}

}  // namespace

// Detect while it runs (config::DetectionRun), with Esc taken wherever the focus is.
class Detection : public QObject {
 public:
  Detection(CTandrelConfiguration& configuration, int id) : run(configuration, id) {
    if (run.Active()) qApp->installEventFilter(this);
  }
  ~Detection() override { qApp->removeEventFilter(this); }

  config::DetectionRun run;
  std::function<void()> escaped;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
      return false;
    }
    if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
    // Taken here, Esc never reaches the window as its Cancel.
    if (event->type() == QEvent::KeyPress && escaped) escaped();
    return true;
  }
};

ProfilesPage::ProfilesPage(const WindowContext& context, std::function<void()> changed)
    : ConfigPage(context, std::move(changed)) {
  BuildControls();
  Connect();
  FillControllerList();
  EnableEditing(false);
  if (controllers_->count() > 1) {
    // The profile shown first is that of the first controller; a new one is made for it.
    controllers_->setCurrentIndex(1);
    if (const auto fileName =
            Configuration().GetProfileFileName(controllers_->itemData(1).toInt())) {
      file_->setText(Q(*fileName));
      LoadProfileDocument();
    }
  }
}

ProfilesPage::~ProfilesPage() { detection_.reset(); }

void ProfilesPage::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  auto* general = new QGroupBox("General");
  auto* generalGrid = new QGridLayout(general);
  file_ = new QLineEdit;
  file_->setReadOnly(true);
  open_ = new QPushButton("Open");
  saveAs_ = new QPushButton("Save As");
  controllers_ = new QComboBox;
  delay_ = NumberBox(3, [this](QLineEdit*) { ShowStoredNumber(NumberBoxKind::Delay); });
  generalGrid->addWidget(new QLabel("File name:"), 0, 0);
  generalGrid->addWidget(file_, 0, 1);
  generalGrid->addWidget(open_, 0, 2);
  generalGrid->addWidget(saveAs_, 0, 3);
  generalGrid->addWidget(new QLabel("Joystick:"), 1, 0);
  generalGrid->addWidget(controllers_, 1, 1);
  generalGrid->addWidget(new QLabel("Polling Delay:"), 1, 2);
  generalGrid->addWidget(delay_, 1, 3);
  generalGrid->setColumnStretch(1, 1);
  layout->addWidget(general);

  auto* assignment = new QGroupBox("Actions Assignment");
  auto* grid = new QGridLayout(assignment);
  elements_ = new QComboBox;
  shiftStates_ = new QComboBox;
  themes_ = new QComboBox;
  actions_ = new QComboBox;
  percents_ = new QComboBox;
  thresholdLabel_ = new QLabel("Threshold:");
  percentSign_ = new QLabel("%");
  detect_ = new QPushButton("Detect");
  detectState_ = new QLabel;
  detectState_->setWordWrap(true);
  elements_->setAccessibleName("Button Combination");
  shiftStates_->setAccessibleName("And");
  grid->addWidget(new QLabel("Button Combination:"), 0, 0);
  grid->addWidget(elements_, 0, 1);
  grid->addWidget(new QLabel("And"), 0, 2);
  grid->addWidget(shiftStates_, 0, 3);
  grid->addWidget(new QLabel("Theme:"), 1, 0);
  grid->addWidget(themes_, 1, 1);
  grid->addWidget(new QLabel("Action:"), 1, 2);
  grid->addWidget(actions_, 1, 3);
  auto* row = new QHBoxLayout;
  row->addWidget(thresholdLabel_);
  row->addWidget(percents_);
  row->addWidget(percentSign_);
  row->addWidget(detect_);
  row->addWidget(detectState_, 1);
  grid->addLayout(row, 2, 0, 1, 4);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  layout->addWidget(assignment);

  auto* shift = new QGroupBox("The Shift Buttons");
  auto* shiftGrid = new QGridLayout(shift);
  available_ = new QListWidget;
  shiftButtons_ = new QListWidget;
  add_ = new QPushButton("&Add");
  remove_ = new QPushButton("&Remove");
  up_ = new QPushButton("&Up");
  down_ = new QPushButton("&Down");
  for (QListWidget* list : {available_, shiftButtons_}) list->setMaximumHeight(90);
  shiftGrid->addWidget(new QLabel("Here you select the Shift Buttons in the Profile."), 0, 0, 1, 4);
  shiftGrid->addWidget(available_, 1, 0, 2, 1);
  shiftGrid->addWidget(add_, 1, 1);
  shiftGrid->addWidget(remove_, 2, 1);
  shiftGrid->addWidget(shiftButtons_, 1, 2, 2, 1);
  shiftGrid->addWidget(up_, 1, 3);
  shiftGrid->addWidget(down_, 2, 3);
  layout->addWidget(shift);

  auto* axesGroup = new QGroupBox("Axes Configuration");
  auto* axesGrid = new QGridLayout(axesGroup);
  axes_ = new QComboBox;
  axisTypes_ = new QComboBox;
  swap_ = new QCheckBox("Swap the axis' directions");
  threshold_ = NumberBox(5, [this](QLineEdit*) { ShowStoredNumber(NumberBoxKind::Threshold); });
  sensitivity_ = NumberBox(4, [this](QLineEdit*) { ShowStoredNumber(NumberBoxKind::Sensitivity); });
  auto* axisRow = new QHBoxLayout;
  axisRow->addWidget(new QLabel("The"));
  axisRow->addWidget(axes_);
  axisRow->addWidget(new QLabel("is"));
  axisRow->addWidget(axisTypes_);
  axisRow->addWidget(swap_);
  axisRow->addStretch();
  axesGrid->addLayout(axisRow, 0, 0, 1, 4);
  axesGrid->addWidget(new QLabel("Set the threshold value to:"), 1, 0);
  axesGrid->addWidget(threshold_, 1, 1);
  axesGrid->addWidget(new QLabel("And the Sensitivity to:"), 1, 2);
  axesGrid->addWidget(sensitivity_, 1, 3);
  layout->addWidget(axesGroup);
  layout->addStretch();
}

void ProfilesPage::Connect() {
  connect(open_, &QPushButton::clicked, this, [this] { Open(); });
  connect(saveAs_, &QPushButton::clicked, this, [this] { SaveAs(); });
  connect(detect_, &QPushButton::clicked, this, [this] {
    if (document_ || detection_) ToggleDetection();
  });
  connect(&detectionTimer_, &QTimer::timeout, this, [this] { DetectionTick(); });
  // The editing handlers act on the user's choices only, and only with a document.
  const auto edit = [this](auto handler) {
    return [this, handler] {
      if (document_) handler();
    };
  };
  connect(controllers_, &QComboBox::activated, this, edit([this] {
            // Every choice counts as a change, even of the controller already recorded.
            MarkChanged();
            const ControllerEntry controller = ChosenController();
            profileedit::SetControllerIdentity(*document_, controller.id, controller.name);
          }));
  connect(elements_, &QComboBox::activated, this, edit([this] { ElementChosen(); }));
  connect(shiftStates_, &QComboBox::activated, this, edit([this] { ElementChosen(); }));
  connect(percents_, &QComboBox::activated, this, edit([this] { ShowAssignment(); }));
  connect(themes_, &QComboBox::activated, this, edit([this] { FillActionList(); }));
  connect(actions_, &QComboBox::activated, this, edit([this] {
            // Every choice of an action counts as a change, even of the one already stored.
            MarkChanged();
            AssignAction();
          }));
  connect(axes_, &QComboBox::activated, this, edit([this] { AxisChosen(); }));
  connect(axisTypes_, &QComboBox::activated, this, edit([this] { AxisTypeChosen(); }));
  connect(swap_, &QCheckBox::clicked, this, edit([this] {
            if (profileedit::SetAxisSwapped(*document_, ChosenAxis(), swap_->isChecked())) {
              MarkChanged();
            }
          }));
  connect(delay_, &QLineEdit::textEdited, this, edit([this] {
            NumberBoxEdited(NumberBoxKind::Delay, profileedit::NumberSource::Typed);
          }));
  connect(threshold_, &QLineEdit::textEdited, this, edit([this] {
            NumberBoxEdited(NumberBoxKind::Threshold, profileedit::NumberSource::Typed);
          }));
  connect(sensitivity_, &QLineEdit::textEdited, this, edit([this] {
            NumberBoxEdited(NumberBoxKind::Sensitivity, profileedit::NumberSource::Typed);
          }));
  connect(available_, &QListWidget::itemSelectionChanged, this,
          edit([this] { add_->setEnabled(!available_->selectedItems().isEmpty()); }));
  connect(available_, &QListWidget::itemDoubleClicked, this, edit([this] {
            if (add_->isEnabled()) AddShiftButton();
          }));
  connect(shiftButtons_, &QListWidget::itemSelectionChanged, this,
          edit([this] { UpdateShiftButtonControls(); }));
  connect(shiftButtons_, &QListWidget::itemDoubleClicked, this, edit([this] {
            if (remove_->isEnabled()) RemoveShiftButton();
          }));
  connect(add_, &QPushButton::clicked, this, edit([this] { AddShiftButton(); }));
  connect(remove_, &QPushButton::clicked, this, edit([this] { RemoveShiftButton(); }));
  connect(up_, &QPushButton::clicked, this, edit([this] { MoveShiftButton(-1); }));
  connect(down_, &QPushButton::clicked, this, edit([this] { MoveShiftButton(+1); }));
}

void ProfilesPage::FillControllerList() {
  controllers_->clear();
  controllers_->addItem("", -1);
  for (const PresentController& controller : Configuration().PresentControllers()) {
    controllers_->addItem(Q(controller.name), controller.id);
  }
}

ProfilesPage::ControllerEntry ProfilesPage::ChosenController() const {
  const int selection = controllers_->currentIndex();
  if (selection < 0) return {};
  return {controllers_->itemData(selection).toInt(),
          controllers_->itemText(selection).toStdString()};
}

void ProfilesPage::EnableEditing(bool enabled) {
  for (QWidget* control : std::initializer_list<QWidget*>{
           threshold_, sensitivity_, delay_, controllers_, available_, shiftButtons_, elements_,
           shiftStates_, actions_, axes_, swap_, axisTypes_, themes_, percents_, detect_}) {
    control->setEnabled(enabled);
  }
  for (QPushButton* button : {add_, remove_, up_, down_}) button->setEnabled(false);
}

void ProfilesPage::LoadProfileDocument() {
  detection_.reset();
  detectionTimer_.stop();
  detectState_->clear();
  SetChanged(false);
  document_.reset();
  loading_ = true;
  EnableEditing(true);

  const std::string path = file_->text().toStdString();
  const ControllerEntry controller = ChosenController();
  // A file that is not there is said to be missing, not shown as if it were an empty profile.
  if (profileedit::ProfileFileMissing(path))
    detectState_->setText(profileedit::kMissingProfileNote);
  document_ = profileedit::OpenProfileDocument(path, controller.id, controller.name);
  if (!profileedit::IsProfileDocument(document_.get())) {
    const seam::MessageAnswer answer = User().Ask(
        this, profileedit::InvalidProfileQuestion(path), profileedit::kInvalidProfileCaption,
        seam::MessageButtons::YesNo, seam::MessageIcon::Question, /*noByDefault=*/true);
    if (answer != seam::MessageAnswer::Yes) {
      // The user refused the file: it is never written, so the page lets go of it.
      document_.reset();
      EnableEditing(false);
      Open();
      return;
    }
  }

  FillAssignmentLists();
  FillShiftButtons({});
  axes_->clear();
  for (const char* axis : profileedit::kAxisNames) axes_->addItem(axis);
  axisTypes_->clear();
  for (const char* type : profileedit::kAxisTypeTexts) axisTypes_->addItem(type);
  swap_->setChecked(false);
  if (document_) {
    ShowDocument();
  } else {
    SetNumberBox(NumberBoxKind::Delay, std::to_string(profileedit::kDefaultPollingDelay));
    SetNumberBox(NumberBoxKind::Threshold, "7000");
    SetNumberBox(NumberBoxKind::Sensitivity, "500");
  }
  loading_ = false;
}

// Fills the controls from the document. A value shown in a number box that the document lacks
// is made explicit ("delay" "30"); neither counts as a change while loading.
void ProfilesPage::ShowDocument() {
  CXMLNode& root = *document_;
  const std::optional<std::string> name = profileedit::ProfileControllerName(root);
  controllers_->setCurrentIndex(name ? FindExact(controllers_, *name) : -1);
  SetNumberBox(NumberBoxKind::Delay, profileedit::PollingDelayText(root));
  FillShiftButtons(profileedit::ReadShiftButtons(root));
  ShowAssignment();
  const profileedit::AxisSettings x =
      profileedit::ReadAxisSettings(root, profileedit::kAxisNames[0]);
  SetNumberBox(NumberBoxKind::Threshold, x.threshold);
  SetNumberBox(NumberBoxKind::Sensitivity, x.sensitivity);
  swap_->setChecked(x.swapped);
  for (const auto& axis : profileedit::PrepareAxesForEditing(root)) {
    RelabelAxis(axis.axis, axis.vertical);
    if (axis.vertical && XMLNamesEqual(axis.axis, profileedit::kAxisNames[0])) {
      axisTypes_->setCurrentIndex(FindExact(axisTypes_, profileedit::kVerticalAxisText));
    }
  }
}

void ProfilesPage::MarkChanged() {
  if (!loading_) SetChanged(true);
}

void ProfilesPage::Apply() { Save(); }

bool ProfilesPage::Save() {
  if (!document_) return true;
  const std::string path = file_->text().toStdString();
  if (RefusedAsProfile(path)) return false;
  const XMLSaveResult saved = profileedit::SaveProfileDocument(*document_, path);
  if (!saved) {
    User().Ask(this, profileedit::SaveFailedMessage(path, saved), profileedit::kSaveFailedCaption,
               seam::MessageButtons::Ok, seam::MessageIcon::Warning);
    return false;
  }
  SetChanged(false);
  return true;
}

void ProfilesPage::Open() {
  if (IsChanged()) {
    const seam::MessageAnswer answer =
        User().Ask(this, profileedit::kSaveChangesQuestion, profileedit::kSaveChangesCaption,
                   seam::MessageButtons::YesNoCancel, seam::MessageIcon::Question);
    if (answer == seam::MessageAnswer::Cancel) return;
    // Edits that could not be written stay on the page rather than be dropped by the next file.
    if (answer == seam::MessageAnswer::Yes && !Save()) return;
  }
  const std::optional<std::string> path = ChooseProfileFile(false);
  if (!path) return;
  file_->setText(Q(*path));
  document_.reset();
  LoadProfileDocument();
}

bool ProfilesPage::RefusedAsProfile(const std::string& path) {
  const std::string refusal = Configuration().WhyNotAProfile(path);
  if (refusal.empty()) return false;
  User().Ask(this, refusal, "Error", seam::MessageButtons::Ok, seam::MessageIcon::Error);
  return true;
}

bool ProfilesPage::KeepReplacedProfile(const std::string& path) {
  const std::string warning = profileedit::KeepReplacedProfile(path);
  if (warning.empty()) return true;
  User().Ask(this, warning, profileedit::kSaveFailedCaption, seam::MessageButtons::Ok,
             seam::MessageIcon::Warning);
  return false;
}

void ProfilesPage::SaveAs() {
  const std::optional<std::string> path = ChooseProfileFile(true);
  if (!path) return;
  const std::string previous = file_->text().toStdString();
  if (config::ComparablePath(*path) != config::ComparablePath(previous) &&
      !KeepReplacedProfile(*path)) {
    return;
  }
  file_->setText(Q(*path));
  if (document_) {
    Save();
    return;
  }
  // No profile is open: a new profile for the chosen controller becomes the file.
  const ControllerEntry controller = ChosenController();
  document_ = profileedit::NewProfileFor(controller.id, controller.name);
  if (!Save()) {
    document_.reset();
    file_->setText(Q(previous));
    return;
  }
  LoadProfileDocument();
}

std::optional<std::string> ProfilesPage::ChooseProfileFile(bool save) {
  std::optional<std::string> path =
      User().ChooseFile(this, {save, kFileDialogTitle, "XML Files", "*.XML *.xml",
                               Configuration().GetProgramFolder(), "xml"});
  if (path && RefusedAsProfile(*path)) return std::nullopt;
  return path;
}

std::optional<std::string> ProfilesPage::FileUsingAction(std::string_view theme,
                                                         std::string_view name) {
  if (!document_ || !profileedit::UsesAction(*document_, theme, name)) return std::nullopt;
  return file_->text().toStdString();
}

void ProfilesPage::Shown() {
  if (!document_) return;
  const std::string theme = themes_->currentText().toStdString();
  FillThemeList();
  themes_->setCurrentIndex(FindExact(themes_, theme));
  FillActionList();
  ShowAssignment();
}

void ProfilesPage::FillThemeList() {
  std::vector<std::string> names = actionedit::ThemeNames();
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return QString::compare(Q(a), Q(b), Qt::CaseInsensitive) < 0;
  });
  themes_->clear();
  for (const std::string& name : names) themes_->addItem(Q(name));
  themes_->setCurrentIndex(-1);
}

void ProfilesPage::FillAssignmentLists() {
  actions_->clear();
  FillThemeList();
  elements_->clear();
  const std::vector<std::string> entries = profileedit::ElementEntryTexts();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    elements_->addItem(Q(entries[i]), static_cast<int>(i));
  }
  percents_->clear();
  for (const std::string& text : profileedit::PercentTexts()) percents_->addItem(Q(text));
  percents_->setCurrentIndex(FindExact(percents_, "0"));
  for (QWidget* control :
       std::initializer_list<QWidget*>{thresholdLabel_, percents_, percentSign_}) {
    control->setVisible(false);
  }
}

void ProfilesPage::FillActionList() {
  std::vector<std::string> names =
      actionedit::ActionNamesOfTheme(themes_->currentText().toStdString());
  actions_->clear();
  actions_->addItem(profileedit::kNoActionText);
  for (const std::string& name : names) actions_->addItem(Q(name));
  actions_->setCurrentIndex(-1);
}

void ProfilesPage::RelabelAxis(std::string_view axisName, bool vertical) {
  const std::optional<std::size_t> first = profileedit::AxisEntryIndex(axisName);
  if (!first) return;
  // The entries always carry the list's own spelling of the axis name.
  const char* name = profileedit::kAxisNames[(*first - profileedit::kButtonEntryCount) / 2];
  const auto texts = profileedit::AxisEntryTexts(name, vertical);
  elements_->setItemText(static_cast<int>(*first), Q(texts[0]));
  elements_->setItemText(static_cast<int>(*first) + 1, Q(texts[1]));
}

void ProfilesPage::ElementChosen() {
  percents_->setCurrentIndex(FindExact(percents_, "0"));
  const std::optional<profileedit::ElementTarget> target = ChosenTarget();
  const bool axis = target && target->kind == profileedit::TargetKind::AxisDirection;
  for (QWidget* control :
       std::initializer_list<QWidget*>{thresholdLabel_, percents_, percentSign_}) {
    control->setVisible(axis);
  }
  ShowAssignment();
}

void ProfilesPage::ShowAssignment() {
  if (const std::optional<profileedit::ElementTarget> target = ChosenTarget()) {
    for (const auto& stored : profileedit::AssignedActions(
             *document_, *target, shiftStates_->currentIndex(), Percent())) {
      themes_->setCurrentIndex(stored.theme ? FindExact(themes_, *stored.theme) : -1);
      FillActionList();
      const int action = stored.name ? FindExact(actions_, *stored.name) : -1;
      if (action >= 0) {
        actions_->setCurrentIndex(action);
        return;
      }
    }
  }
  if (actions_->count() == 0) FillActionList();
  actions_->setCurrentIndex(0);
}

void ProfilesPage::AssignAction() {
  const std::optional<profileedit::ElementTarget> target = ChosenTarget();
  const int shiftState = shiftStates_->currentIndex();
  const int choice = actions_->currentIndex();
  if (!target || shiftState < 0 || choice < 0) return;
  if (choice == 0) {
    profileedit::RemoveAction(*document_, *target, shiftState, Percent());
    return;
  }
  profileedit::AssignAction(*document_, *target, shiftState, themes_->currentText().toStdString(),
                            actions_->itemText(choice).toStdString(), Percent());
}

std::optional<profileedit::ElementTarget> ProfilesPage::ChosenTarget() const {
  const int selection = elements_->currentIndex();
  if (selection < 0 || !document_) return std::nullopt;
  const auto position = static_cast<std::size_t>(elements_->itemData(selection).toInt());
  const std::optional<profileedit::ElementTarget> horizontal =
      profileedit::ElementTargetAt(position, false);
  if (!horizontal || horizontal->kind != profileedit::TargetKind::AxisDirection) return horizontal;
  return profileedit::ElementTargetAt(position,
                                      profileedit::IsVerticalAxis(*document_, horizontal->axis));
}

int ProfilesPage::Percent() const {
  return profileedit::PercentValue(percents_->currentText().toStdString());
}

void ProfilesPage::FillShiftButtons(const std::vector<int>& buttons) {
  available_->clear();
  shiftButtons_->clear();
  shiftStates_->clear();
  for (int n = 1; n <= profileedit::kButtonEntryCount; ++n) {
    auto* item = new QListWidgetItem(Q(profileedit::ButtonEntryText(n)));
    item->setData(Qt::UserRole, n);
    available_->addItem(item);
  }
  shiftStates_->addItem(profileedit::kNoShiftButtonText);
  shiftStates_->setCurrentIndex(0);
  for (int button : buttons) {
    for (int i = 0; i < available_->count(); ++i) {
      if (available_->item(i)->data(Qt::UserRole).toInt() != button) continue;
      shiftButtons_->addItem(available_->takeItem(i));
      shiftStates_->addItem(Q(profileedit::ShiftStateEntryText(shiftButtons_->count())), button);
      break;
    }
  }
  for (QPushButton* button : {add_, remove_, up_, down_}) button->setEnabled(false);
}

void ProfilesPage::UpdateShiftButtonControls() {
  const int selection = shiftButtons_->selectedItems().isEmpty() ? -1 : shiftButtons_->currentRow();
  remove_->setEnabled(selection >= 0);
  up_->setEnabled(selection > 0);
  down_->setEnabled(selection >= 0 && selection < shiftButtons_->count() - 1);
}

void ProfilesPage::AddShiftButton() {
  const int selection = available_->currentRow();
  if (selection < 0 || available_->selectedItems().isEmpty()) return;
  shiftButtons_->addItem(available_->takeItem(selection));
  available_->clearSelection();
  shiftButtons_->setCurrentRow(shiftButtons_->count() - 1);
  const int count = shiftButtons_->count();
  add_->setEnabled(false);
  remove_->setEnabled(true);
  up_->setEnabled(count > 1);
  down_->setEnabled(false);
  shiftStates_->addItem(Q(profileedit::ShiftStateEntryText(count)), count);
  ShiftButtonsChanged();
}

void ProfilesPage::RemoveShiftButton() {
  const int selection = shiftButtons_->currentRow();
  if (selection < 0 || shiftButtons_->selectedItems().isEmpty()) return;
  QListWidgetItem* item = shiftButtons_->takeItem(selection);
  const int button = item->data(Qt::UserRole).toInt();
  int before = 0;
  while (before < available_->count() &&
         available_->item(before)->data(Qt::UserRole).toInt() <= button) {
    ++before;
  }
  available_->insertItem(before, item);
  shiftButtons_->clearSelection();
  available_->setCurrentRow(before);
  for (QPushButton* disabled : {remove_, down_, up_}) disabled->setEnabled(false);
  add_->setEnabled(true);
  shiftStates_->removeItem(shiftStates_->count() - 1);
  ShiftButtonsChanged();
}

void ProfilesPage::MoveShiftButton(int step) {
  const int selection = shiftButtons_->currentRow();
  const int to = selection + step;
  if (selection < 0 || to < 0 || to >= shiftButtons_->count()) return;
  shiftButtons_->insertItem(to, shiftButtons_->takeItem(selection));
  shiftButtons_->setCurrentRow(to);
  UpdateShiftButtonControls();
  ShiftButtonsChanged();
}

void ProfilesPage::ShiftButtonsChanged() {
  MarkChanged();
  std::vector<int> buttons;
  for (int i = 0; i < shiftButtons_->count(); ++i) {
    buttons.push_back(shiftButtons_->item(i)->data(Qt::UserRole).toInt());
  }
  profileedit::RebuildShiftButtons(*document_, buttons);
}

QLineEdit* ProfilesPage::Box(NumberBoxKind kind) const {
  switch (kind) {
    case NumberBoxKind::Delay:
      return delay_;
    case NumberBoxKind::Threshold:
      return threshold_;
    case NumberBoxKind::Sensitivity:
      break;
  }
  return sensitivity_;
}

void ProfilesPage::SetNumberBox(NumberBoxKind kind, const std::string& text) {
  Box(kind)->setText(Q(text));
  NumberBoxEdited(kind, profileedit::NumberSource::Shown);
}

void ProfilesPage::NumberBoxEdited(NumberBoxKind kind, profileedit::NumberSource source) {
  if (!document_) return;
  const std::string typed = Box(kind)->text().toStdString();
  bool edited = false;
  switch (kind) {
    case NumberBoxKind::Delay:
      edited = profileedit::SetPollingDelay(*document_, typed, source);
      break;
    case NumberBoxKind::Threshold:
      edited = profileedit::SetAxisThreshold(*document_, ChosenAxis(), typed, source);
      break;
    case NumberBoxKind::Sensitivity:
      edited = profileedit::SetAxisSensitivity(*document_, ChosenAxis(), typed, source);
      break;
  }
  // A default the page only showed is no edit of the user's.
  if (edited && source == profileedit::NumberSource::Typed) MarkChanged();
}

// The box the user left shows what the profile stores for its text; nothing is stored.
void ProfilesPage::ShowStoredNumber(NumberBoxKind kind) {
  if (!document_) return;
  std::string stored;
  if (kind == NumberBoxKind::Delay) {
    stored = profileedit::PollingDelayText(*document_);
  } else {
    const profileedit::AxisSettings axis = profileedit::ReadAxisSettings(*document_, ChosenAxis());
    stored = kind == NumberBoxKind::Threshold ? axis.threshold : axis.sensitivity;
  }
  if (Box(kind)->text().toStdString() != stored) Box(kind)->setText(Q(stored));
}

void ProfilesPage::AxisChosen() {
  const profileedit::AxisSettings settings =
      profileedit::ReadAxisSettings(*document_, ChosenAxis());
  if (settings.typeEntry) {
    axisTypes_->setCurrentIndex(
        FindExact(axisTypes_, profileedit::kAxisTypeTexts[*settings.typeEntry]));
  }
  swap_->setChecked(settings.swapped);
  SetNumberBox(NumberBoxKind::Sensitivity, settings.sensitivity);
  SetNumberBox(NumberBoxKind::Threshold, settings.threshold);
}

void ProfilesPage::AxisTypeChosen() {
  const std::string axis = ChosenAxis();
  const bool vertical = axisTypes_->currentText() == profileedit::kVerticalAxisText;
  if (profileedit::SetAxisType(*document_, axis, vertical)) MarkChanged();
  RelabelAxis(axis, vertical);
}

std::string ProfilesPage::ChosenAxis() const { return axes_->currentText().toStdString(); }

void ProfilesPage::Hidden() {
  if (!detection_) return;
  detection_->run.Cancel();
  EndDetection();
}

void ProfilesPage::ToggleDetection() {
  if (detection_) {
    detection_->run.Cancel();
    EndDetection();
    return;
  }
  // The controller chosen in the Joystick list; a profile made for none (the default one) is
  // detected on the only controller plugged in.
  int id = ChosenController().id;
  if (id < 0 && controllers_->count() == 2) id = controllers_->itemData(1).toInt();
  if (id < 0) {
    detectState_->setText("Choose the Joystick first.");
    return;
  }
  auto detection = std::make_unique<Detection>(Configuration(), id);
  if (!detection->run.Active()) {
    detectState_->setText("The Joystick gives no reading.");
    return;
  }
  // Ended after the key's event has been handled: the detection goes with its end.
  detection->escaped = [this] {
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (!detection_) return;
          detection_->run.Cancel();
          EndDetection();
        },
        Qt::QueuedConnection);
  };
  detection_ = std::move(detection);
  detect_->setText("Stop");
  detectState_->setText("Press an input now (Esc stops).");
  detectionTimer_.start(kDetectRefreshMs);
}

void ProfilesPage::DetectionTick() {
  if (detection_ && detection_->run.Tick() != DetectionStatus::Detecting) EndDetection();
}

void ProfilesPage::EndDetection() {
  detectionTimer_.stop();
  const DetectionStatus status = detection_->run.Tick();
  const std::optional<DetectedInput> found = detection_->run.Found();
  const bool unplugged = detection_->run.Unplugged();
  detection_.reset();  // the controller acts again
  detect_->setText("Detect");
  std::string said;
  if (found && document_) {
    SelectDetected(*found);
    said = "Found: " + elements_->currentText().toStdString();
  } else if (status == DetectionStatus::TimedOut) {
    said = "Nothing was pressed in 10 s.";
  } else if (unplugged) {
    said = "The Joystick was unplugged.";
  }
  detectState_->setText(Q(said));
}

void ProfilesPage::SelectDetected(const DetectedInput& input) {
  bool swapped = false;
  if (input.kind == DetectedInput::Kind::AxisDirection) {
    swapped = profileedit::ReadAxisSettings(
                  *document_, profileedit::kAxisNames[static_cast<std::size_t>(input.number)])
                  .swapped;
  }
  const std::optional<std::size_t> position = profileedit::DetectedEntryIndex(input, swapped);
  if (!position) return;
  for (int i = 0; i < elements_->count(); ++i) {
    if (static_cast<std::size_t>(elements_->itemData(i).toInt()) != *position) continue;
    elements_->setCurrentIndex(i);
    ElementChosen();
    return;
  }
}

}  // namespace qtui

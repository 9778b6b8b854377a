#include "qt/JoysticksPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/JoysticksTabMerge.h"
#include "config/TandrelConfiguration.h"
#include "platform/Platform.h"
#include "qt/UserInterface.h"
#include "xml/XMLNode.h"

namespace qtui {

void PictureLabel::mousePressEvent(QMouseEvent* event) {
  if (isEnabled() && event->button() == Qt::LeftButton) clicked_(event->globalPosition().toPoint());
}

JoysticksPage::JoysticksPage(const WindowContext& context, std::function<void()> changed)
    : ConfigPage(context, std::move(changed)) {
  auto* layout = new QVBoxLayout(this);
  auto* general = new QGroupBox("General Configuration");
  auto* generalLayout = new QVBoxLayout(general);
  launch_ = new QCheckBox("Launch On Startup");
  generalLayout->addWidget(launch_);
  auto* assignments = new QGroupBox("Joysticks Profiles Assignments");
  auto* grid = new QGridLayout(assignments);
  select_ = new QComboBox;
  profile_ = new QLineEdit;
  profile_->setReadOnly(true);
  change_ = new QPushButton("Change");
  remove_ = new QPushButton("Remove");
  enabled_ = new QCheckBox("This joystick is enabled.");
  state_ = new QLabel;
  grid->addWidget(new QLabel("The joystick"), 0, 0);
  grid->addWidget(select_, 0, 1, 1, 2);
  grid->addWidget(new QLabel("is configured by the"), 0, 3);
  grid->addWidget(new QLabel("file:"), 1, 0);
  grid->addWidget(profile_, 1, 1);
  grid->addWidget(change_, 1, 2);
  grid->addWidget(remove_, 1, 3);
  auto* rules = new QLabel(
      "You can configure profiles to be automatically loaded when you switch between windows "
      "in the configuration file.");
  rules->setWordWrap(true);
  rules->setAlignment(Qt::AlignCenter);
  grid->addWidget(rules, 2, 0, 1, 4);
  grid->addWidget(enabled_, 3, 0, 1, 2);
  grid->addWidget(state_, 3, 2, 1, 2);
  generalLayout->addWidget(assignments);
  layout->addWidget(general);

  auto* about = new QGroupBox("About Tandrel");
  auto* aboutLayout = new QHBoxLayout(about);
  picture_ = new PictureLabel([this](QPoint at) { ShowPictureMenu(at); });
  picture_->setFixedSize(172, 212);
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setFrameShape(QFrame::StyledPanel);
  picture_->setCursor(Qt::PointingHandCursor);
  picture_->setAccessibleName("Picture");
  aboutLayout->addWidget(picture_);
  auto* side = new QVBoxLayout;
  auto* version = new QLabel("Tandrel 3.20");
  QFont font("Times New Roman");
  font.setPixelSize(18);
  font.setBold(true);
  font.setUnderline(true);
  version->setFont(font);
  version->setAlignment(Qt::AlignCenter);
  side->addWidget(version);
  none_ = new QLabel(
      "No controller is plugged in. Plug one in, then open this window again.\n\nTo check "
      "that Linux sees it: ls /dev/input/by-id, or run evtest (your user needs to read "
      "/dev/input/event*).");
  none_->setWordWrap(true);
  side->addWidget(none_);
  side->addStretch();
  auto* hint = new QLabel(
      "Click the picture on the left to show a picture of this controller, or to remove it.");
  hint->setWordWrap(true);
  side->addWidget(hint);
  aboutLayout->addLayout(side);
  layout->addWidget(about);

  connect(launch_, &QCheckBox::clicked, this, [this](bool checked) {
    launchOnStartup_ = checked;
    SetChanged(true);
  });
  connect(select_, &QComboBox::activated, this, [this](int index) {
    current_ = select_->itemData(index).toInt();
    ShowController();
  });
  connect(change_, &QPushButton::clicked, this, [this] { ChooseProfile(); });
  connect(remove_, &QPushButton::clicked, this, [this] { RemoveProfile(); });
  connect(enabled_, &QCheckBox::clicked, this, [this](bool checked) {
    if (Controller* controller = Find(current_)) {
      controller->enabled = checked;
      SetChanged(true);
    }
  });
  Fill();
}

void JoysticksPage::Fill() {
  CTandrelConfiguration& configuration = Configuration();
  launchOnStartup_ = configuration.GetLaunchOnStartup();
  for (const PresentController& present : configuration.PresentControllers()) {
    Controller& controller = controllers_[static_cast<std::size_t>(present.id)];
    controller.present = true;
    // The setting as the file has it: a profile that failed to load must not turn into a
    // disabled controller at the next Apply.
    controller.enabled = present.profile.has_value() && present.enabled;
    controller.notPolling = controller.enabled && !present.polling;
    controller.profile = present.profile;
    controller.picture = present.picture;
    select_->addItem(QString::fromStdString(present.name), present.id);
    if (current_ < 0) current_ = present.id;
  }
  const bool any = current_ >= 0;
  for (QWidget* control :
       std::initializer_list<QWidget*>{select_, change_, remove_, enabled_, picture_}) {
    control->setEnabled(any);
  }
  none_->setVisible(!any);
  launch_->setChecked(launchOnStartup_);
  if (any) ShowController();
}

JoysticksPage::Controller* JoysticksPage::Find(int id) {
  if (id < 0 || id >= seam::kMaxJoysticks) return nullptr;
  return &controllers_[static_cast<std::size_t>(id)];
}

void JoysticksPage::ShowController() {
  const Controller* controller = Find(current_);
  if (controller == nullptr) return;
  enabled_->setChecked(controller->enabled);
  state_->setText(controller->notPolling ? "(its profile could not be loaded)" : "");
  profile_->setText(QString::fromStdString(controller->profile.value_or("")));
  ShowPicture();
}

void JoysticksPage::ShowPicture() {
  const Controller* controller = Find(current_);
  QPixmap pixmap;
  if (controller != nullptr && controller->picture) {
    pixmap.load(QString::fromStdString(seam::ResolveProgramPath(*controller->picture)));
  }
  // A file that does not load shows no picture, and no message.
  picture_->setPixmap(pixmap.isNull() ? QPixmap()
                                      : pixmap.scaled(picture_->size(), Qt::KeepAspectRatio,
                                                      Qt::SmoothTransformation));
}

void JoysticksPage::Apply() {
  if (!IsChanged()) return;
  JoysticksTabState state;
  state.launchOnStartup = launchOnStartup_;
  for (std::size_t id = 0; id < controllers_.size(); ++id) {
    const Controller& controller = controllers_[id];
    if (!controller.present) continue;  // its entries stay as the file has them
    state.controllers[id] = {controller.profile.value_or(""), controller.picture.value_or(""),
                             controller.enabled};
  }
  // A file that cannot be written has been reported; the edits stay for another try.
  if (Configuration().SaveJoysticksTab(state)) SetChanged(false);
}

void JoysticksPage::ChooseProfile() {
  Controller* controller = Find(current_);
  if (controller == nullptr) return;
  const auto file = ChooseFile("Select Exisiting Configuration", "XML Files", "*.xml");
  if (!file) return;
  if (const std::string refusal = Configuration().WhyNotAProfile(*file); !refusal.empty()) {
    User().Ask(this, refusal, "Error", seam::MessageButtons::Ok, seam::MessageIcon::Error);
    return;
  }
  profile_->setText(QString::fromStdString(*file));
  enabled_->setChecked(true);
  controller->profile = *file;
  controller->enabled = true;
  SetChanged(true);
}

void JoysticksPage::RemoveProfile() {
  Controller* controller = Find(current_);
  if (controller == nullptr) return;
  profile_->clear();
  enabled_->setChecked(false);
  controller->profile.reset();
  controller->enabled = false;
  SetChanged(true);
}

void JoysticksPage::ChangePicture() {
  Controller* controller = Find(current_);
  if (controller == nullptr) return;
  const auto file = ChooseFile("Select A Bitmap", "Pictures", "*.bmp *.png *.jpg");
  if (!file) return;
  controller->picture = *file;
  SetChanged(true);
  ShowPicture();
}

void JoysticksPage::RemovePicture() {
  Controller* controller = Find(current_);
  if (controller == nullptr) return;
  controller->picture.reset();
  SetChanged(true);
  ShowPicture();
}

void JoysticksPage::ShowPictureMenu(QPoint at) {
  const Controller* controller = Find(current_);
  if (controller == nullptr) return;
  QMenu menu(this);
  connect(menu.addAction("Change"), &QAction::triggered, this, [this] { ChangePicture(); });
  QAction* remove = menu.addAction("Remove");
  // "Remove" only when there is a picture to remove.
  remove->setEnabled(controller->picture.has_value());
  connect(remove, &QAction::triggered, this, [this] { RemovePicture(); });
  menu.exec(at);
}

std::optional<std::string> JoysticksPage::ChooseFile(const char* title, const char* filterName,
                                                     const char* filterPattern) {
  std::optional<std::string> file = User().ChooseFile(
      this, {false, title, filterName, filterPattern, Configuration().GetProgramFolder(), {}});
  // The configuration file holds values of at most kXMLMaxValueLength bytes: a longer path is
  // refused here, where the user chose it, rather than written into a file that cannot be read.
  if (file && file->size() > kXMLMaxValueLength) {
    User().Ask(this,
               "The path \"" + *file + "\" is " + std::to_string(file->size()) +
                   " bytes long, and the configuration file holds paths of at most " +
                   std::to_string(kXMLMaxValueLength) +
                   " bytes. Choose a file in a folder with a shorter path.",
               "Error", seam::MessageButtons::Ok, seam::MessageIcon::Error);
    return std::nullopt;
  }
  return file;
}

}  // namespace qtui

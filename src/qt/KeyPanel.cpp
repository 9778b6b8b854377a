#include "qt/KeyPanel.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "actionedit/KeyText.h"
#include "qt/KeyNames.h"
#include "qt/XServer.h"

namespace qtui {

namespace {

// The key's keysym without modifiers, from the X server's keyboard map.
std::uint32_t PlainKeysymOf(quint32 keycode) {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 == nullptr ? 0 : PlainKeysym(x11->display(), keycode);
}

}  // namespace

KeyField::~KeyField() { Release(); }

void KeyField::StartWaiting() {
  waiting_ = true;
  if (!grabbed_) {
    setFocus();
    grabKeyboard();
    grabbed_ = true;
  }
}

void KeyField::StopWaiting() {
  waiting_ = false;
  if (takenKeycode_ == 0) Release();
}

void KeyField::Release() {
  if (grabbed_) releaseKeyboard();
  grabbed_ = false;
  takenKeycode_ = 0;
}

bool KeyField::event(QEvent* event) {
  if (!grabbed_ || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease &&
                    event->type() != QEvent::ShortcutOverride)) {
    return QLineEdit::event(event);
  }
  auto* key = static_cast<QKeyEvent*>(event);
  key->accept();
  if (event->type() == QEvent::KeyPress && waiting_ && !key->isAutoRepeat()) {
    const quint32 keycode = key->nativeScanCode();
    const std::optional<std::uint8_t> vk = VirtualKeyOfXKey(
        PlainKeysymOf(keycode), static_cast<std::uint32_t>(key->nativeVirtualKey()));
    if (!vk) return true;  // a key the program cannot send: the field keeps waiting
    waiting_ = false;
    takenKeycode_ = keycode;
    taken_(*vk);
  } else if (event->type() == QEvent::KeyRelease && !key->isAutoRepeat() &&
             key->nativeScanCode() == takenKeycode_) {
    Release();  // the taken key's release is swallowed too
  }
  return true;
}

void KeyField::mousePressEvent(QMouseEvent* event) {
  static constexpr std::pair<Qt::MouseButton, unsigned> kButtons[] = {
      {Qt::LeftButton, 0x01}, {Qt::RightButton, 0x02}, {Qt::MiddleButton, 0x04}};
  if (waiting_) {
    for (const auto& [button, code] : kButtons) {
      if (event->button() != button) continue;
      waiting_ = false;
      Release();
      swallowedRelease_ = button;
      taken_(code);
      return;
    }
  }
  QLineEdit::mousePressEvent(event);
}

void KeyField::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == swallowedRelease_) {
    swallowedRelease_ = Qt::NoButton;
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

// The right button taken as a key opens no menu.
void KeyField::contextMenuEvent(QContextMenuEvent* event) {
  if (swallowedRelease_ == Qt::RightButton || waiting_) return;
  QLineEdit::contextMenuEvent(event);
}

KeyPanel::KeyPanel() {
  auto* layout = new QHBoxLayout(this);
  pushType = new PushTypeButtons(true);
  layout->addWidget(pushType);
  auto* grid = new QGridLayout;
  key = new KeyField([this](unsigned code) {
    ShowWaiting(false);
    SetKeyCode(code);
  });
  key->setMaxLength(static_cast<int>(actionedit::kKeyTextLimit));
  key->setMaximumWidth(64);
  key->setAccessibleName("Virtual Key Value");
  press = new QPushButton(kPressAKeyText);
  name = new QLabel;
  name->setWordWrap(true);
  grid->addWidget(new QLabel("Virtual Key Value:"), 0, 0);
  grid->addWidget(key, 0, 1);
  grid->addWidget(press, 0, 2);
  grid->addWidget(name, 1, 0, 1, 3);
  grid->setRowStretch(2, 1);
  layout->addLayout(grid, 1);

  connect(key, &QLineEdit::textEdited, this, [this](const QString& text) {
    const auto cut = actionedit::FilterKeyText(text.toStdString());
    if (!cut) return;
    key->setText(QString::fromStdString(cut->text));
    key->setCursorPosition(static_cast<int>(cut->caret));
  });
  connect(key, &QLineEdit::textChanged, this, [this] {
    if (!key->IsWaiting()) name->setText(QString::fromStdString(LinuxKeyName(KeyCode())));
  });
  connect(press, &QPushButton::clicked, this, [this] {
    if (key->IsWaiting()) {
      StopWaiting();
    } else {
      key->StartWaiting();
      ShowWaiting(true);
    }
  });
}

unsigned char KeyPanel::KeyCode() const {
  return actionedit::KeyCodeFromText(key->text().left(actionedit::kKeyTextLimit).toStdString());
}

void KeyPanel::SetKeyCode(unsigned code) {
  key->setText(QString::fromStdString(actionedit::KeyCodeText(code)));
}

void KeyPanel::ShowWaiting(bool waiting) {
  press->setText(waiting ? kStopText : kPressAKeyText);
  name->setText(waiting ? kWaitingText : QString::fromStdString(LinuxKeyName(KeyCode())));
}

void KeyPanel::StopWaiting() {
  if (!key->IsWaiting()) return;
  key->StopWaiting();
  ShowWaiting(false);
}

void KeyPanel::ReadValues(actionedit::ActionPanelValues& values) {
  values.vk.pushType = pushType->Get();
  values.vk.key = KeyCode();
}

void KeyPanel::ShowValues(const actionedit::ActionPanelValues& values) {
  StopWaiting();
  SetKeyCode(values.vk.key);
  pushType->Set(values.vk.pushType);
}

}  // namespace qtui

// The key panel of the Actions tab: the push type, the key as the file writes it (one
// character, or "0x" and at most two hexadecimal digits, kept in shape by
// actionedit::FilterKeyText), and the key's X name beside it. "Press a key" takes the next key
// pressed while the field waits, whatever it is (Esc and Tab included): the field holds the X
// server's keyboard grab until that key is released, so no other program and no other control
// sees it, and the key's Windows code goes into the field. A mouse button clicked on the field
// while it waits is taken too.
#pragma once

#include <QLineEdit>
#include <functional>

#include "qt/ActionPanels.h"

class QLabel;

namespace qtui {

class KeyField : public QLineEdit {
 public:
  explicit KeyField(std::function<void(unsigned code)> taken) : taken_(std::move(taken)) {}
  ~KeyField() override;

  void StartWaiting();
  void StopWaiting();
  bool IsWaiting() const { return waiting_; }

 protected:
  bool event(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Release();

  const std::function<void(unsigned)> taken_;
  bool waiting_ = false;
  bool grabbed_ = false;
  quint32 takenKeycode_ = 0;  // the key whose release ends the grab; 0: none
  Qt::MouseButton swallowedRelease_ = Qt::NoButton;
};

class KeyPanel : public ActionPanel {
 public:
  static constexpr const char* kPressAKeyText = "Press a key";
  static constexpr const char* kStopText = "Stop";
  static constexpr const char* kWaitingText =
      "Press a key, or click the field with a mouse button.";

  KeyPanel();
  void ReadValues(actionedit::ActionPanelValues& values) override;
  void ShowValues(const actionedit::ActionPanelValues& values) override;
  void StopWaiting() override;

  unsigned char KeyCode() const;

  PushTypeButtons* pushType;
  KeyField* key;
  QPushButton* press;
  QLabel* name;

 private:
  void SetKeyCode(unsigned code);
  void ShowWaiting(bool waiting);
};

}  // namespace qtui

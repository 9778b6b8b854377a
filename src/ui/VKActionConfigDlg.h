// The virtual-key panel of the Actions tab: the push type (Hold, Hit, Repeat, Toggle) and the
// key as text, one character (the key that types it) or "0x" and up to two hexadecimal digits.
// The text is kept in that shape as it is typed; the key's name shows beside it.
//
// "Press a key" takes the key from the keyboard instead (KeyCapture): the next key pressed, or
// a click on the field with the left, right or middle mouse button, becomes the key. Clicking
// the button again ("Stop"), hiding the panel or ending the window stops waiting.
#pragma once

#include <memory>
#include <string>

#include "ui/ActionPanelDlg.h"
#include "ui/KeyCapture.h"

class CVKActionConfigDlg : public CActionPanelDlg {
 public:
  CVKActionConfigDlg(HINSTANCE instance, HWND parent);

  // Runs the key-text filter on every change of the key field.
  bool OnCommand(int id, int code) override;
  void OnInitDialog() override;

  std::string GetKeyText();
  // Cut after the field's limit.
  void SetKeyText(const std::string& text);
  // The key code the key text stands for.
  unsigned char GetKeyCode();
  // Shows the code's low 8 bits as "0x" and upper-case hexadecimal digits.
  void SetKeyCode(unsigned code);

  void ReadValues(actionedit::ActionPanelValues& values) override;
  void ShowValues(const actionedit::ActionPanelValues& values) override;

  // Stops a "Press a key" that still waits; nothing is taken.
  void StopWaiting();
  bool IsWaiting() const { return capture_ && capture_->Waiting(); }

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void FilterKeyText();
  void StartWaiting();
  // The key (or mouse button) was taken: it becomes the action's key.
  void Take(unsigned code);
  void ShowWaiting(bool waiting);
  // Mouse clicks on the key field while waiting pick a mouse button.
  static LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR panel);

  std::unique_ptr<ui::KeyCapture> capture_;
  UINT swallowedRelease_ = 0;  // the button-up message of a mouse button taken on the field
};

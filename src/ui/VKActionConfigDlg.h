// The virtual-key panel of the Actions tab: the push type (Hold, Hit, Repeat, Toggle) and the
// key as text, one character (the key that types it) or "0x" and up to two hexadecimal digits.
// The text is kept in that shape as it is typed.
#pragma once

#include <string>

#include "ui/ActionPanelDlg.h"

class CVKActionConfigDlg : public CActionPanelDlg {
 public:
  CVKActionConfigDlg(HINSTANCE instance, HWND parent);

  // Runs the key-text filter on every change of the key field; always 0.
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

 private:
  void FilterKeyText();
};

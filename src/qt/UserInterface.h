// What blocks on the user in the Linux configuration window: message boxes, the open and save
// dialogs and the manual. The windows call them through this interface, so that the window
// stories answer them without anything blocking; the program hands the Qt implementation
// (QtUserInterface) to its windows. Main thread only.
#pragma once

#include <optional>
#include <string>

#include "platform/Types.h"

class QWidget;

namespace qtui {

struct FileRequest {
  bool save = false;  // the save dialog, which asks before replacing a file
  std::string title;
  std::string filterName;     // "XML Files"
  std::string filterPattern;  // "*.xml"
  std::string folder;         // where the dialog starts
  std::string defaultSuffix;  // without the dot; empty: none
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  // A message box owned by `owner`; `noByDefault` makes No the default button of a question.
  virtual seam::MessageAnswer Ask(QWidget* owner, const std::string& text,
                                  const std::string& caption, seam::MessageButtons buttons,
                                  seam::MessageIcon icon, bool noByDefault = false) = 0;
  // The chosen full path; none when the user cancelled.
  virtual std::optional<std::string> ChooseFile(QWidget* owner, const FileRequest& request) = 0;
  // Opens the manual in the desktop's program for HTML; false when none opened it.
  virtual bool OpenManual(const std::string& path) = 0;
};

// QMessageBox, QFileDialog and the desktop's URL handler.
class QtUserInterface : public UserInterface {
 public:
  seam::MessageAnswer Ask(QWidget* owner, const std::string& text, const std::string& caption,
                          seam::MessageButtons buttons, seam::MessageIcon icon,
                          bool noByDefault) override;
  std::optional<std::string> ChooseFile(QWidget* owner, const FileRequest& request) override;
  bool OpenManual(const std::string& path) override;
};

}  // namespace qtui

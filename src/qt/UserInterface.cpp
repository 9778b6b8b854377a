#include "qt/UserInterface.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace qtui {

namespace {

// The texts are the Windows program's, with its CR LF line breaks.
QString BoxText(const std::string& text) {
  return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QMessageBox::Icon BoxIcon(seam::MessageIcon icon) {
  switch (icon) {
    case seam::MessageIcon::Error:
      return QMessageBox::Critical;
    case seam::MessageIcon::Question:
      return QMessageBox::Question;
    case seam::MessageIcon::Warning:
      return QMessageBox::Warning;
    case seam::MessageIcon::Information:
      return QMessageBox::Information;
    case seam::MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

seam::MessageAnswer QtUserInterface::Ask(QWidget* owner, const std::string& text,
                                         const std::string& caption, seam::MessageButtons buttons,
                                         seam::MessageIcon icon, bool noByDefault) {
  QMessageBox box(BoxIcon(icon), QString::fromStdString(caption), BoxText(text),
                  QMessageBox::NoButton, owner);
  switch (buttons) {
    case seam::MessageButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case seam::MessageButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case seam::MessageButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case seam::MessageButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  if (noByDefault) box.setDefaultButton(QMessageBox::No);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return seam::MessageAnswer::Yes;
    case QMessageBox::No:
      return seam::MessageAnswer::No;
    case QMessageBox::Ok:
      return seam::MessageAnswer::Ok;
    default:  // closed without a choice
      return buttons == seam::MessageButtons::YesNo ? seam::MessageAnswer::No
                                                    : seam::MessageAnswer::Cancel;
  }
}

std::optional<std::string> QtUserInterface::ChooseFile(QWidget* owner, const FileRequest& request) {
  QFileDialog dialog(
      owner, QString::fromStdString(request.title), QString::fromStdString(request.folder),
      QString::fromStdString(request.filterName + " (" + request.filterPattern + ")"));
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!request.defaultSuffix.empty()) {
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

bool QtUserInterface::OpenManual(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace qtui

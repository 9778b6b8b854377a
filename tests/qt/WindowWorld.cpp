#include "WindowWorld.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include "support/XvfbServer.h"

namespace fs = std::filesystem;

namespace {

// The virtual X server and the application, for the whole program.
class QtEnvironment : public XvfbEnvironment {
 public:
  void SetUp() override {
    XvfbEnvironment::SetUp();
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    static int argc = 1;
    static char name[] = "qt_tests";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override {
    application_.reset();
    XvfbEnvironment::TearDown();
  }

 private:
  std::unique_ptr<QApplication> application_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

WindowWorld::WindowWorld() {
  for (const char* name : {"Tandrel.exe.config", "Actions.xml", "Gamepad.xml", "SlideShow.xml"}) {
    fs::copy_file(fs::path(TANDREL_SOURCE_DIR) / "data" / name, folder.path() / name);
  }
  seam::LinuxPlatformSettings settings;
  settings.modulePath = folder.File("Tandrel.exe");
  settings.autostartFolder = folder.File("autostart");
  settings.autostartExec = "tandrel --background";
  std::string reason;
  platform = seam::LinuxPlatform::Open(settings, reason);
  if (!platform) throw std::runtime_error(reason);
  seam::Services installed = platform->services();
  installed.messages = &messages;
  services = std::make_unique<seam::ScopedServices>(installed);
  timerService = std::make_unique<ScopedTimerService>(&timers);
  configuration = std::make_unique<CTandrelConfiguration>(
      ConfigurationSettings{settings.modulePath, folder.File("Tandrel.exe.config")});
}

WindowWorld::~WindowWorld() {
  window.reset();
  configuration.reset();
  timerService.reset();
  services.reset();
}

qtui::ConfigWindow& WindowWorld::Open(const char* tab) {
  window = std::make_unique<qtui::ConfigWindow>(qtui::WindowContext{*configuration, user});
  window->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  QTabWidget* tabs = window->Tabs();
  for (int i = 0; i < tabs->count(); ++i) {
    if (tabs->tabText(i) == tab) tabs->setCurrentIndex(i);
  }
  return *window;
}

bool WindowWorld::Eventually(const std::function<bool()>& condition) {
  return QTest::qWaitFor(condition, 10000);
}

void WindowWorld::Click(QWidget* widget) {
  EXPECT_TRUE(widget->isVisible() && widget->isEnabled()) << widget->objectName().toStdString();
  // Near the left end: a check box takes clicks on its box and text only.
  QTest::mouseClick(widget, Qt::LeftButton, {},
                    QPoint(std::min(8, widget->width() / 2), widget->height() / 2));
}

void WindowWorld::Choose(QComboBox* box, const QString& text) {
  const int index = box->findText(text);
  ASSERT_GE(index, 0) << text.toStdString();
  ASSERT_TRUE(box->isEnabled());
  box->setCurrentIndex(index);
  Q_EMIT box->activated(index);
}

void WindowWorld::Type(QLineEdit* field, const QString& text) {
  field->setFocus();
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Backspace);
  QTest::keyClicks(field, text);
}

void WindowWorld::ExpectNothingCovered(const QWidget* page) {
  const auto controls = page->findChildren<QWidget*>();
  for (const QWidget* a : controls) {
    for (const QWidget* b : controls) {
      EXPECT_FALSE(a < b && a->parent() == b->parent() && a->isVisible() && b->isVisible() &&
                   a->geometry().intersects(b->geometry()))
          << a->metaObject()->className() << " and " << b->metaObject()->className();
    }
  }
}

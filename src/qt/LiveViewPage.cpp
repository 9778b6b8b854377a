#include "qt/LiveViewPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "config/TandrelConfiguration.h"

namespace qtui {

namespace {

constexpr int kButtonsPerRow = 16;
const QColor kLit(0, 120, 215);
const QColor kDeadZone(200, 200, 200);
const QColor kMark(200, 80, 0);

// The x of a position on the -1..1 scale within the bar.
int XOf(const QRect& bar, double position) {
  const double clamped = std::clamp(position, -1.0, 1.0);
  return bar.left() + static_cast<int>((clamped + 1) / 2 * (bar.width() - 1));
}

void PaintAxis(QPainter& painter, const QRect& row, const liveview::AxisView& axis,
               const QPalette& palette) {
  const int labelWidth = row.width() / 5;
  painter.setPen(palette.color(QPalette::WindowText));
  painter.drawText(QRect(row.left(), row.top(), labelWidth, row.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(axis.name));
  const std::string value =
      (axis.deflection > 0 ? "+" : "") + std::to_string(axis.deflection) + " %";
  painter.drawText(QRect(row.right() - labelWidth, row.top(), labelWidth, row.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(value));
  const QRect bar(row.left() + labelWidth, row.top() + row.height() / 4,
                  row.width() - 2 * labelWidth, row.height() / 2);
  painter.fillRect(bar, palette.color(QPalette::Base));
  painter.fillRect(QRect(QPoint(XOf(bar, axis.deadLow), bar.top()),
                         QPoint(XOf(bar, axis.deadHigh), bar.bottom())),
                   kDeadZone);
  for (const auto* marks : {&axis.towardsMinMarks, &axis.towardsMaxMarks}) {
    for (double mark : *marks) {
      painter.fillRect(QRect(XOf(bar, mark), row.top() + row.height() / 8, 1, row.height() * 3 / 4),
                       kMark);
    }
  }
  painter.setPen(palette.color(QPalette::Mid));
  painter.drawRect(bar);
  const int x = XOf(bar, axis.position);
  painter.fillRect(QRect(x - 2, bar.top() - 2, 5, bar.height() + 4),
                   axis.deflection != 0 ? kLit : palette.color(QPalette::WindowText));
}

void PaintHat(QPainter& painter, const QRect& area, const liveview::View& view,
              const QPalette& palette) {
  const int size = std::min(area.width(), area.height());
  const QPoint centre = area.center();
  const int radius = size / 2 - 2;
  painter.setPen(palette.color(QPalette::Mid));
  painter.setBrush(palette.color(QPalette::Base));
  painter.drawEllipse(centre, radius, radius);
  if (view.hatDegrees) {
    const double radians = *view.hatDegrees * 3.14159265358979 / 180;
    const QPoint dot(centre.x() + static_cast<int>(std::sin(radians) * radius * 0.7),
                     centre.y() - static_cast<int>(std::cos(radians) * radius * 0.7));
    const int r = std::max(3, radius / 5);
    painter.setBrush(kLit);
    painter.drawEllipse(dot, r, r);
  }
  painter.setPen(palette.color(QPalette::WindowText));
  painter.drawText(QRect(area.left(), area.bottom(), area.width(), size / 4), Qt::AlignCenter,
                   view.hat.empty() ? QString("Hat") : QString::fromStdString(view.hat));
}

}  // namespace

LiveViewWidget::LiveViewWidget() {
  setMinimumSize(360, 220);
  setAccessibleName("Live View");
}

void LiveViewWidget::SetView(std::optional<liveview::View> view) {
  view_ = std::move(view);
  // Screen readers read the view in words.
  setAccessibleDescription(view_ ? QString::fromStdString(view_->Describe()) : QString());
  update();
}

void LiveViewWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area = rect();
  if (!view_) return;
  const int cell = area.width() / kButtonsPerRow;
  for (std::size_t k = 0; k < view_->buttons.size(); ++k) {
    const int column = static_cast<int>(k) % kButtonsPerRow;
    const int row = static_cast<int>(k) / kButtonsPerRow;
    const QRect box(column * cell + 1, row * cell + 1, cell - 2, cell - 2);
    if (view_->buttons[k]) painter.fillRect(box, kLit);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(box);
    painter.setPen(view_->buttons[k] ? Qt::white : palette().color(QPalette::WindowText));
    painter.drawText(box, Qt::AlignCenter, QString::number(k + 1));
  }
  const int buttonRows = view_->buttons.size() > kButtonsPerRow ? 2 : 1;
  const int top = buttonRows * cell + cell / 2;
  const int hatSize = view_->hasHat ? std::min(area.width() / 4, (area.height() - top) * 3 / 4) : 0;
  const int axesWidth = area.width() - hatSize - (hatSize > 0 ? cell / 2 : 0);
  const int rowHeight = std::min(cell, (area.height() - top) / 6);
  for (std::size_t i = 0; i < view_->axes.size(); ++i) {
    const int rowTop = top + static_cast<int>(i) * rowHeight;
    PaintAxis(painter, QRect(0, rowTop, axesWidth, rowHeight - 2), view_->axes[i], palette());
  }
  if (view_->hasHat) {
    PaintHat(painter, QRect(area.width() - hatSize, top, hatSize, hatSize), *view_, palette());
  }
}

LiveViewPage::LiveViewPage(const WindowContext& context, std::function<void()> changed)
    : ConfigPage(context, std::move(changed)), follower_(context.configuration) {
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox("Live View");
  auto* inner = new QVBoxLayout(group);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel("Joystick:"));
  list_ = new QComboBox;
  list_->setAccessibleName("Joystick");
  top->addWidget(list_, 1);
  inner->addLayout(top);
  status_ = new QLabel;
  inner->addWidget(status_);
  none_ = new QLabel("No controller is plugged in. Plug one in: it appears here.");
  none_->setVisible(false);
  inner->addWidget(none_);
  view_ = new LiveViewWidget;
  inner->addWidget(view_, 1);
  letAct_ = new QCheckBox("Let the joystick act while it is shown here (to try a mapping out)");
  inner->addWidget(letAct_);
  auto* legend = new QLabel(
      "Lit: pressed. On each axis, the shaded band is the dead zone, where the axis presses "
      "nothing, and each tick is where an action of the shift state starts.");
  legend->setWordWrap(true);
  inner->addWidget(legend);
  layout->addWidget(group);

  connect(list_, &QComboBox::activated, this, [this] { ChooseController(); });
  connect(letAct_, &QCheckBox::clicked, this, [this] { HoldBackShown(); });
  connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
  FollowControllers();
}

LiveViewPage::~LiveViewPage() { Hidden(); }

void LiveViewPage::FollowControllers() {
  const std::vector<liveview::Follower::Entry> entries = follower_.Entries();
  std::vector<liveview::Follower::Entry> listed;
  for (int i = 0; i < list_->count(); ++i) {
    listed.push_back({list_->itemText(i).toStdString(), list_->itemData(i).toInt()});
  }
  if (listed == entries) return;
  list_->clear();
  for (const auto& entry : entries) list_->addItem(QString::fromStdString(entry.name), entry.id);
  const bool any = !entries.empty();
  list_->setEnabled(any);
  none_->setVisible(!any);
  const int chosen = follower_.ChosenIndex(entries);
  list_->setCurrentIndex(chosen);
  if (chosen < 0 || entries[static_cast<std::size_t>(chosen)].id != follower_.ShownId()) {
    ChooseController();
  }
}

void LiveViewPage::ChooseController() {
  const int selection = list_->currentIndex();
  const liveview::Follower::Entry chosen{
      selection < 0 ? std::string() : list_->itemText(selection).toStdString(),
      selection < 0 ? -1 : list_->itemData(selection).toInt()};
  follower_.Choose(selection < 0 ? nullptr : &chosen);
  HoldBackShown();
  Refresh(true);
}

void LiveViewPage::Shown() {
  shown_ = true;
  FollowControllers();
  HoldBackShown();
  Refresh(true);
  timer_.start(kRefreshMs);
}

void LiveViewPage::Hidden() {
  timer_.stop();
  shown_ = false;
  HoldBackShown();
}

void LiveViewPage::Tick() {
  // About once a second: controllers plugged in or pulled out, and a hold-back a reload ended.
  if (++ticks_ % (1000 / kRefreshMs) == 0) {
    FollowControllers();
    HoldBackShown();
  }
  Refresh(false);
}

void LiveViewPage::HoldBackShown() { follower_.HoldBack(shown_, letAct_->isChecked()); }

void LiveViewPage::Refresh(bool always) {
  if (!follower_.Refresh(always)) return;
  status_->setText(QString::fromStdString(follower_.Status()));
  view_->SetView(follower_.CurrentView());
}

}  // namespace qtui

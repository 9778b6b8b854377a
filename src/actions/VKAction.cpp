#include "actions/VKAction.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "actions/TextRules.h"
#include "platform/Platform.h"
#include "xml/XMLNode.h"

namespace {

constexpr unsigned char kLeftButton = 0x01;
constexpr unsigned char kRightButton = 0x02;
constexpr unsigned char kMiddleButton = 0x04;

// The system's keyboard delay setting (0..3) gives the delay before the first repeat, its speed
// setting (0..31) the interval between repeats.
int RepeatDelayMs() { return (std::clamp(seam::Desktop().KeyboardDelay(), 0, 3) + 1) * 250; }
int RepeatIntervalMs() { return 400 - 12 * std::clamp(seam::Desktop().KeyboardSpeed(), 0, 31); }

}  // namespace

CVKAction::CVKAction(unsigned char key, PushType type, const char* name)
    : CAction(type, "", name), key_(key) {}

CVKAction::CVKAction(const CVKAction& other)
    : CAction(other), key_(other.key_), rate_(other.rate_) {}

CVKAction::~CVKAction() { EndBeforeDestruction(); }

bool CVKAction::RepeatsWhenHeld(unsigned char key) {
  switch (key) {
    case kLeftButton:
    case kRightButton:
    case kMiddleButton:
    case 0x10:  // Shift
    case 0x11:  // Ctrl
    case 0x12:  // Alt
      return false;
    default:
      return key < 0xA0 || key > 0xA5;  // left and right Shift, Ctrl, Alt
  }
}

void CVKAction::SendKey(bool down) const {
  switch (key_) {
    case kLeftButton:
      seam::Input().MouseEvent(down ? seam::kMouseLeftDown : seam::kMouseLeftUp, 0, 0, 0);
      return;
    case kRightButton:
      seam::Input().MouseEvent(down ? seam::kMouseRightDown : seam::kMouseRightUp, 0, 0, 0);
      return;
    case kMiddleButton:
      seam::Input().MouseEvent(down ? seam::kMouseMiddleDown : seam::kMouseMiddleUp, 0, 0, 0);
      return;
    default:
      break;
  }
  seam::IKeyboardLayout& layout = seam::KeyboardLayout();
  const auto scan = static_cast<std::uint8_t>(layout.MapKey(key_, seam::kMapVkToScan));
  std::uint32_t flags = down ? 0 : seam::kKeyUp;
  if (IsExtendedKey(key_)) flags |= seam::kKeyExtended;
  seam::Input().KeyboardEvent(key_, scan, flags);
}

bool CVKAction::IsExtendedKey(unsigned key) {
  // The keys a real keyboard sends with the extended prefix: the arrows and the editing block,
  // the right-hand Ctrl and Alt, the Windows and menu keys, the keypad's Divide, Num Lock,
  // Break, Print Screen, and the browser and media keys. Shift, Ctrl and Alt themselves go out
  // as the left-hand keys: sent extended, Alt would be the right Alt, AltGr on many layouts.
  switch (key) {
    case 0x03:  // Break
    case 0x21:  // Page Up
    case 0x22:  // Page Down
    case 0x23:  // End
    case 0x24:  // Home
    case 0x25:  // Left
    case 0x26:  // Up
    case 0x27:  // Right
    case 0x28:  // Down
    case 0x2C:  // Print Screen
    case 0x2D:  // Insert
    case 0x2E:  // Delete
    case 0x5B:  // left Windows key
    case 0x5C:  // right Windows key
    case 0x5D:  // menu key
    case 0x6F:  // keypad Divide
    case 0x90:  // Num Lock
    case 0xA3:  // right Ctrl
    case 0xA5:  // right Alt
      return true;
    default:
      return key >= 0xA6 && key <= 0xB7;  // browser, volume, media and launch keys
  }
}

void CVKAction::Start(CMouseSpeedData* /*speed*/) {
  if (IsActive()) return;
  SetActive();
  tickCount_ = 1;
  if (GetPushType() == PushType::Hold && RepeatsWhenHeld(key_)) ArmTimer(RepeatDelayMs());
  if (GetPushType() == PushType::Repeat) ArmTimer(rate_);
  SendKey(true);
}

void CVKAction::Stop(CMouseSpeedData* /*speed*/) {
  if (!IsActive()) return;
  DisarmTimer();
  SendKey(false);
  ClearActive();
}

void CVKAction::OnTimer() {
  std::lock_guard lock(RunLock());
  if (!TimerArmed()) return;  // a tick of a timer that was just disarmed
  if (GetPushType() == PushType::Hold) {
    if (tickCount_ == 1) RearmTimerInTick(RepeatIntervalMs());
    ++tickCount_;
  }
  SendKey(true);
  if (GetPushType() == PushType::Repeat) SendKey(false);
}

std::unique_ptr<CAction> CVKAction::Clone() const { return std::make_unique<CVKAction>(*this); }

bool CVKAction::IsEqual(const CAction* other) const {
  if (!CAction::IsEqual(other)) return false;
  const auto* vk = dynamic_cast<const CVKAction*>(other);
  return vk != nullptr && vk->key_ == key_ && vk->rate_ == rate_;
}

void CVKAction::WriteAttributes(CXMLNode* element) const {
  CAction::WriteAttributes(element);
  char value[8];
  std::snprintf(value, sizeof value, "0x%x", static_cast<unsigned>(key_));
  element->AddAttribute("value", value);
  if (GetPushType() == PushType::Repeat) element->AddAttribute("rate", std::to_string(rate_));
}

std::optional<unsigned char> ReadKeyValue(const std::string& value) {
  if (value.size() >= 2 && value[0] == '0' && value[1] == 'x') {
    unsigned key = 0;
    for (const char c : std::string_view(value).substr(2)) {
      key = (key << 4) + actions::HexDigitValue(c);
      if (key > 0xFF) return std::nullopt;  // once beyond a byte, every digit keeps it there
    }
    return static_cast<unsigned char>(key);
  }
  if (value.size() == 1) {
    return static_cast<unsigned char>(seam::KeyboardLayout().KeyForChar(value[0]) & 0xFF);
  }
  return std::nullopt;
}

std::unique_ptr<CAction> ReadVKAction(const CXMLNode* element) {
  if (element == nullptr) return nullptr;
  const auto header = ReadActionHeader(*element, "VKAction");
  if (!header) return nullptr;
  const CAttribute* value = element->FindAttribute("Value");
  if (value == nullptr) {
    actions::ShowXMLError(
        actions::FillIn("The VKAction \"%s\" doesn't have a value.", {header->name}));
    return nullptr;
  }
  const std::optional<unsigned char> key = ReadKeyValue(std::string(value->Value()));
  if (!key) {
    actions::ShowXMLError(actions::FillIn("The VKAction \"%s\" has an unknown value: \"%s\".",
                                          {header->name, value->Value()}));
    return nullptr;
  }
  const std::optional<int> rate =
      ReadActionNumber(*element, *header, "rate", CVKAction::kDefaultRate);
  if (!rate) return nullptr;
  auto action = std::make_unique<CVKAction>(*key, header->type, header->name.c_str());
  action->SetRate(*rate);
  ApplyThemeAttribute(*element, *action);
  return action;
}

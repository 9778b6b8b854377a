// One virtual key held while the input is held. Keyboard keys go out as keyboard events; the
// three classic mouse buttons (virtual keys 1, 2 and 4) as mouse-button events. Hold imitates a
// physical key, repeating after the system's keyboard delay at the system's repeat speed;
// Repeat sends whole key presses at a rate of its own. Stored as a "VKAction" element.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "actions/Action.h"

class CVKAction final : public CAction {
 public:
  static constexpr int kDefaultRate = 250;

  CVKAction(unsigned char key, PushType type, const char* name);
  CVKAction(const CVKAction& other);
  ~CVKAction() override;

  unsigned char GetKey() const { return key_; }
  void SetKey(unsigned char key) { key_ = key; }
  int GetRate() const { return rate_; }
  void SetRate(int rate) { rate_ = rate; }

  // Whether Hold repeats this key: not the mouse buttons, nor Shift, Ctrl and Alt (generic,
  // left and right), which a physical keyboard does not repeat either.
  static bool RepeatsWhenHeld(unsigned char key);
  // Whether the key goes out with the extended flag, as a real keyboard sends it.
  static bool IsExtendedKey(unsigned key);

  void OnTimer() override;
  std::unique_ptr<CAction> Clone() const override;
  bool IsEqual(const CAction* other) const override;
  const char* ElementName() const override { return "VKAction"; }
  void Start(CMouseSpeedData* speed) override;
  void Stop(CMouseSpeedData* speed) override;
  void WriteAttributes(CXMLNode* element) const override;

 private:
  void SendKey(bool down) const;

  int tickCount_ = 0;  // Hold: 1 until the first repeat, guarded by the run lock
  unsigned char key_;
  int rate_ = kDefaultRate;
};

// Reads a "VKAction" element; null (after its message) when the element is rejected.
std::unique_ptr<CAction> ReadVKAction(const CXMLNode* element);
// The key a "value" stands for: "0x" and hexadecimal digits (any other character adds nothing
// but still shifts), or one character taken through the keyboard layout (its shift state
// dropped). None when the reader refuses it: any other text, or a number beyond one byte.
std::optional<unsigned char> ReadKeyValue(const std::string& value);

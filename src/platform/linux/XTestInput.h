// Synthetic keyboard and mouse input through the XTest extension. Keys go out by the shared
// virtual-key table (XKeyTable.h): a keysym the server's keyboard map lacks is bound to a spare
// keycode for as long as the adapter lives (or until a keyboard-map change takes the keycode
// for another symbol). A key is looked up in the map the server has when it goes down, and goes
// up on the keycode it went down on. The X server repeats a held key itself with its
// own delay and rate (XKB), so a key-down for a key this adapter already holds sends nothing:
// the engine's repeat ticks would double the server's repeats. Each call returns once the
// server has taken its events, so events reach it in the engine's order. What it still holds when
// it is destroyed (or on ReleaseAll) is released, so nothing stays pressed.
#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <map>
#include <set>

#include "platform/Platform.h"

namespace seam {

class XConnection;

class XTestInput : public IInput {
 public:
  explicit XTestInput(XConnection& connection);
  ~XTestInput() override;
  XTestInput(const XTestInput&) = delete;
  XTestInput& operator=(const XTestInput&) = delete;

  void KeyboardEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override;
  void MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                  std::int32_t data) override;

  // Releases every key and button this adapter holds down.
  void ReleaseAll();
  // Told, once per key, of a virtual key the table cannot send. Set before input flows.
  void OnUnsendableKey(std::function<void(std::uint8_t vk)> report) { report_ = std::move(report); }

 private:
  // The following need the connection's lock.
  unsigned KeycodeFor(std::uint32_t keysym);
  void FollowMapChanges();
  bool Holds(unsigned keycode) const;
  void Button(unsigned button, bool down);
  void ReleaseHeld();

  XConnection& connection_;
  std::function<void(std::uint8_t)> report_;
  // Guarded by the connection's lock.
  std::map<std::uint8_t, unsigned> heldKeys_;       // virtual key -> the keycode it holds
  std::set<unsigned> heldButtons_;                  // X buttons
  std::map<std::uint32_t, unsigned> boundKeysyms_;  // keysym -> spare keycode bound to it
  std::bitset<256> reported_;
  std::int32_t wheelRest_ = 0;  // wheel delta short of a whole notch
  unsigned long mapChangesSeen_ = 0;
};

}  // namespace seam

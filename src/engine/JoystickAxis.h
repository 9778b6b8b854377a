// One axis of a controller: a dead zone around the centre, and on each side a threshold
// container per shift state (the negative side, towards min, in the base's press list; the
// positive side, towards max, in a list of its own). Leaving the dead zone presses the side's
// container with the deflection beyond the dead zone in percent (0 next to it, 100 at the end
// of the travel) as the speed; every later significant movement presses again with the new
// percentage; returning into the dead zone or crossing to the other side releases.
//
// An axis is never a shift button. Threads: as every element (see JoystickButtonBase.h).
#pragma once

#include <memory>
#include <vector>

#include "engine/JoystickAxisProperties.h"
#include "engine/JoystickAxisThreshold.h"
#include "engine/JoystickButtonBase.h"

class CXMLNode;
class CProfileMessages;

class CJoystickAxis : public CJoystickButtonBase {
 public:
  CJoystickAxis(CShiftButtonOwner* owner, const CJoystickAxisProperties& properties,
                const char* name);
  ~CJoystickAxis() override;

  void Update(const seam::JoystickState& state) override;
  // Beyond the dead zone on either side.
  bool IsHeldIn(const seam::JoystickState& state) const override;
  // The base's, then the position goes back to the centre, so that a deflected stick is
  // pressed again at the next poll, with its speed, under the new shift state.
  void SetShiftState(int shiftState) override;
  bool SetShiftCount(int highest) override;
  void SetShiftNumber(int) override {}
  int GetShiftNumber() const override { return 0; }
  void Enable(bool enabled) override;
  void Press(CMouseSpeedData* speed) override;
  void Release(CMouseSpeedData* speed) override;
  void StopAllActions() override;

  virtual void RemoveNegativeThreshold(int shiftState, int percent);
  virtual void RemovePositiveThreshold(int shiftState, int percent);
  virtual void DeletePositiveActions();
  // Adds a copy of the action to the side's container of that shift state.
  virtual void AddNegativeThreshold(int shiftState, const CAction& action, int percent);
  virtual void AddPositiveThreshold(int shiftState, const CAction& action, int percent);
  // A copy of the positive side's container of that shift state, or null.
  virtual std::unique_ptr<CJoystickAxisThreshold> GetPositiveActions(int shiftState) const;
  // Reads one "Axis" element of a profile, with the messages collected for the caller to show.
  bool Load(const CXMLNode& axisElement, CProfileMessages& messages);
  bool LoadDirectionActions(const CXMLNode* actions, bool negative, CProfileMessages& messages);

  // Adds an action the caller gives away (the copy that Add*Threshold would make).
  void StoreThreshold(bool negative, int shiftState, std::unique_ptr<CAction> action, int percent);

  const CJoystickAxisProperties& Properties() const { return properties_; }
  CJoystickAxisProperties& Properties() { return properties_; }
  bool IsSwapped() const { return swapped_; }
  bool IsVertical() const { return vertical_; }
  // The containers themselves (not copies), or null; for inspection.
  CJoystickAxisThreshold* PeekThresholds(bool negative, int shiftState) const;

  // The percents of the entries that shift state `shiftState` uses on one side (its own
  // container, or that of the nearest lower state that has one), ascending.
  std::vector<int> PercentsInForce(bool negative, int shiftState) const;

  // The deflection of a raw position beyond the dead zone, in percent (0..100); 0 inside it.
  double DeflectionPercent(std::uint32_t position) const;

 protected:
  // The container of one side that the shift state in force uses, or null.
  CAction* SideInForce(bool negative) const;

 private:
  void RemoveThreshold(bool negative, int shiftState, int percent);
  CJoystickAxisThreshold* Container(bool negative, int shiftState) const;

  CJoystickAxisProperties properties_;
  std::vector<std::unique_ptr<CJoystickAxisThreshold>> positiveList_;  // one slot per state
  bool swapped_ = false;
  bool vertical_ = false;
};

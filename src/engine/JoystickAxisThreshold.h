// What one direction of an axis does in one shift state: actions that each apply above a
// deflection percentage. Pressing the container with a speed (the deflection in percent) runs
// the entry with the largest percent strictly below it, releasing the one that ran before.
//
// The container is an action itself (push type None, so Press and Release simply call Start
// and Stop) so that it sits in an element's action list like any other; it is never active
// itself and has no timer. Threads: as the element that owns it (see JoystickButtonBase.h).
#pragma once

#include <memory>
#include <vector>

#include "actions/Action.h"

class CJoystickAxisThreshold : public CAction {
 public:
  CJoystickAxisThreshold();
  // Stops every running entry, then deletes them.
  ~CJoystickAxisThreshold() override;

  void OnTimer() override {}
  // The same entries, each a clone, in the same order.
  std::unique_ptr<CAction> Clone() const override;
  // A "Thresholds" element with one child per entry (the entry's own element with "percent").
  const char* ElementName() const override { return "Thresholds"; }
  void WriteAttributes(CXMLNode* element) const override;

  // Selects the entry for speed->GetSpeed() and presses it; a null speed selects nothing.
  void Start(CMouseSpeedData* speed) override;
  // Releases every running entry.
  void Stop(CMouseSpeedData* speed) override;

  // Replaces any entry with the same percent; takes ownership.
  virtual void AddThreshold(std::unique_ptr<CAction> action, int percent);
  // Removes the first entry with that percent (its action stopped and deleted).
  virtual void RemoveThreshold(int percent);
  // The entry with the largest percent strictly below value (the earlier of equals); null
  // when every percent is at or above value.
  virtual CAction* FindForValue(double value) const;
  virtual CAction* FindThreshold(int percent) const;
  virtual int GetThresholdCount() const;
  // The first entry whose action runs, or null.
  virtual CAction* GetActiveAction() const;

  // Ends every entry, whatever its push type (a running Toggle included).
  void StopAll();

  int GetPercentAt(int index) const { return entries_[index].percent; }
  CAction* GetActionAt(int index) const { return entries_[index].action.get(); }

 private:
  struct Entry {
    int percent;
    std::unique_ptr<CAction> action;
  };
  std::vector<Entry> entries_;  // in insertion order
};

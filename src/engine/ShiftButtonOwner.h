// The interface through which an input element tells its controller that it, acting as a
// shift button, went down or up. The controller (CJoystick) implements it.
#pragma once

class CShiftButtonOwner {
 public:
  virtual ~CShiftButtonOwner() = default;
  // The shift button in force was released: no shift state is in force any more.
  virtual void ShiftButtonReleased(int number) = 0;
  // Shift button `number` (1-based) was pressed while no shift state was in force.
  virtual void ShiftButtonPressed(int number) = 0;
};

// Turns the mouse wheel up or down: one wheel event per step, a step at every start, and with
// Hold one more every `delay` ms while held. Stored as a "MouseWheelAction" element.
#pragma once

#include <memory>

#include "actions/Action.h"

class CMouseWheelAction final : public CAction {
 public:
  static constexpr int kDefaultDelay = 30;
  static constexpr int kDefaultLines = 3;
  static constexpr int kUp = 0;
  static constexpr int kDown = 1;
  // One line is a wheel delta of 10 (finer than the platform's notch of 120).
  static constexpr int kDeltaPerLine = 10;

  // direction: kUp or kDown (any other value turns up).
  CMouseWheelAction(PushType type, int delay, int direction, int lines, const char* name);
  CMouseWheelAction(const CMouseWheelAction& other);
  ~CMouseWheelAction() override;

  int GetDelay() const { return delay_; }
  void SetDelay(int delay) { delay_ = delay; }
  int GetDirection() const { return direction_; }
  void SetDirection(int direction) { direction_ = direction; }
  int GetLines() const { return lines_; }
  void SetLines(int lines) { lines_ = lines; }

  void OnTimer() override;
  std::unique_ptr<CAction> Clone() const override;
  bool IsEqual(const CAction* other) const override;
  const char* ElementName() const override { return "MouseWheelAction"; }
  void Start(CMouseSpeedData* speed) override;
  void Stop(CMouseSpeedData* speed) override;
  void WriteAttributes(CXMLNode* element) const override;

 private:
  void StepOnce() const;

  int delay_;
  int direction_;
  int lines_;
};

// Reads a "MouseWheelAction" element; null (after its message) when the element is rejected.
std::unique_ptr<CAction> ReadMouseWheelAction(const CXMLNode* element);

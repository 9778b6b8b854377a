// An action that records its starts and stops (with the speed it was given) instead of
// sending input, so that tests can check exactly what an input did with its actions.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "actions/Action.h"
#include "xml/XMLNode.h"

struct ActionEvent {
  std::string name;
  bool start = false;
  double speed = -1;  // -1: no speed object
  bool operator==(const ActionEvent&) const = default;
};

inline ActionEvent Started(std::string name, double speed = -1) {
  return {std::move(name), true, speed};
}
inline ActionEvent Stopped(std::string name) { return {std::move(name), false, -1}; }

class CRecordingAction final : public CAction {
 public:
  CRecordingAction(const char* name, std::vector<ActionEvent>* log, PushType type = PushType::Hold)
      : CAction(type, "", name), log_(log) {}
  CRecordingAction(const CRecordingAction& other) : CAction(other), log_(other.log_) {}
  ~CRecordingAction() override { EndBeforeDestruction(); }

  void OnTimer() override {}
  std::unique_ptr<CAction> Clone() const override {
    return std::make_unique<CRecordingAction>(*this);
  }
  std::unique_ptr<CXMLNode> CreateXMLNode() const override {
    auto node = std::make_unique<CXMLNode>("RecordingAction");
    WriteAttributes(node.get());
    return node;
  }
  void Start(CMouseSpeedData* speed) override {
    SetActive();
    log_->push_back({GetName(), true, speed != nullptr ? speed->GetSpeed() : -1});
  }
  void Stop(CMouseSpeedData*) override {
    ClearActive();
    log_->push_back({GetName(), false, -1});
  }

 private:
  std::vector<ActionEvent>* log_;
};

// Helpers shared by the action tests: elements from text, the recorded input in short forms,
// and a fixture that leaves the process-wide action state (library, absolute placement) empty.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "actions/AbsoluteMousePlacement.h"
#include "actions/ActionLibrary.h"
#include "platform/sim/SimInput.h"
#include "support/VirtualWorld.h"
#include "xml/XMLReader.h"

namespace actiontest {

// The root element of a document held in text; fails the test when it does not parse.
inline std::unique_ptr<CXMLNode> Element(std::string_view text) {
  XMLReadResult result = ReadXMLMemory(text.data(), text.size());
  EXPECT_EQ(result.status, XMLReadStatus::Ok) << text;
  return std::move(result.root);
}

// One recorded event in a short form that reads well in expectations:
// "<time> down <vk>" / "<time> up <vk>" (vk in hex, "+ext" for extended keys),
// "<time> mouse <flags> <dx> <dy> <data>" (flags in hex).
inline std::string Describe(const seam::InputRecord& r) {
  char text[96];
  if (r.IsKey()) {
    std::snprintf(text, sizeof text, "%u %s %x%s", r.time, r.IsKeyDown() ? "down" : "up", r.vk,
                  (r.flags & seam::kKeyExtended) ? "+ext" : "");
  } else {
    std::snprintf(text, sizeof text, "%u mouse %x %d %d %d", r.time, r.flags, r.dx, r.dy, r.data);
  }
  return text;
}

inline std::vector<std::string> Describe(const std::vector<seam::InputRecord>& records) {
  std::vector<std::string> out;
  for (const auto& r : records) out.push_back(Describe(r));
  return out;
}

// The times of the key-down events in a log.
inline std::vector<std::uint32_t> DownTimes(const std::vector<seam::InputRecord>& records) {
  std::vector<std::uint32_t> out;
  for (const auto& r : records) {
    if (r.IsKeyDown()) out.push_back(r.time);
  }
  return out;
}

// A virtual world with an empty action library and no absolute contributors, before and after.
class ActionTest : public ::testing::Test {
 protected:
  ActionTest() {
    ClearActions();
    CAbsoluteMousePlacement::Instance().Reset();
  }
  ~ActionTest() override {
    ClearActions();
    CAbsoluteMousePlacement::Instance().Reset();
  }

  std::vector<std::string> Recorded() { return Describe(world.input().Log()); }
  std::vector<std::string> TakeRecorded() { return Describe(world.input().TakeLog()); }
  std::vector<seam::MessageRecord> Messages() { return world.messages().TakeLog(); }

  VirtualWorld world;
};

}  // namespace actiontest

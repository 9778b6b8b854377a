// Every test of this program runs against a virtual X server of its own: DISPLAY names it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "support/XvfbServer.h"

namespace {

class XvfbEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    server_ = std::make_unique<XvfbServer>();
    setenv("DISPLAY", server_->Display().c_str(), 1);
  }
  void TearDown() override { server_.reset(); }

 private:
  std::unique_ptr<XvfbServer> server_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);

}  // namespace

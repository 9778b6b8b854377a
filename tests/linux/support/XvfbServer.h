// A virtual X server of the test's own (Xvfb), started with a free display number and ended
// with the object, or with the test's thread that started it when the test crashes or is
// killed. Display() is its name (":N").
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "ChildProcess.h"

class XvfbServer {
 public:
  XvfbServer();
  ~XvfbServer() { Kill(); }
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  const std::string& Display() const { return display_; }
  // Ends the server now (the X server going away under a running program).
  void Kill();

 private:
  std::unique_ptr<ChildProcess> process_;
  std::string display_;
};

// A server for the whole test program: DISPLAY names it.
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

// Every test of this program runs against a virtual X server of its own.
#include "support/XvfbServer.h"

namespace {

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);

}  // namespace

#include "ui/ProgramContext.h"

#include <cassert>

namespace ui {

namespace {
ProgramContext g_context;  // main thread only
}

void SetProgramContext(const ProgramContext& context) { g_context = context; }
const ProgramContext& Program() { return g_context; }
HINSTANCE ModuleInstance() { return g_context.instance; }

CTandrelConfiguration& Configuration() {
  assert(g_context.configuration != nullptr && "no configuration");
  return *g_context.configuration;
}

}  // namespace ui

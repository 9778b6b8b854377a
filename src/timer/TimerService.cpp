#include "timer/TimerService.h"

#include <atomic>

namespace {
// Written only while no timer runs; atomic because every dying timer user reads it, on any
// thread.
std::atomic<ITimerService*> g_service{nullptr};
}  // namespace

ITimerService* InstallTimerService(ITimerService* service) { return g_service.exchange(service); }

ITimerService* CurrentTimerService() { return g_service.load(); }

void UninstallTimerService(ITimerService* service) {
  g_service.compare_exchange_strong(service, nullptr);
}

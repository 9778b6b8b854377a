// The service that delivers every timer's ticks, one after another, on one thread.
#pragma once

class CTimerUser;

class ITimerService {
 public:
  virtual ~ITimerService() = default;
  virtual unsigned Start(unsigned periodMs, CTimerUser* user) = 0;
  virtual void Stop(unsigned id) = 0;
  // Forgets every timer of a user that is being destroyed. Like Stop, from another thread
  // than the timer thread it returns only after a tick of that user in flight has ended.
  virtual void Withdraw(CTimerUser* /*user*/) {}
};

// Installs the service used by StartTimer and StopTimer and returns the previous one.
// Written only while no timer runs (start-up, a test's set-up and tear-down).
ITimerService* InstallTimerService(ITimerService* service);
ITimerService* CurrentTimerService();
// Uninstalls a service that is going away, if it is the one in force.
void UninstallTimerService(ITimerService* service);

class ScopedTimerService {
 public:
  explicit ScopedTimerService(ITimerService* service) : previous_(InstallTimerService(service)) {}
  ~ScopedTimerService() { InstallTimerService(previous_); }
  ScopedTimerService(const ScopedTimerService&) = delete;
  ScopedTimerService& operator=(const ScopedTimerService&) = delete;

 private:
  ITimerService* previous_;
};

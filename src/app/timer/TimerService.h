// The service that delivers every timer's ticks, one after another, on one thread.
#pragma once

class CTimerUser;

class ITimerService {
 public:
  virtual ~ITimerService() = default;
  virtual unsigned Start(unsigned periodMs, CTimerUser* user) = 0;
  virtual void Stop(unsigned id) = 0;
};

// Installs the service used by StartTimer and StopTimer and returns the previous one.
// Written only while no timer runs (start-up, a test's set-up and tear-down).
ITimerService* InstallTimerService(ITimerService* service);
ITimerService* CurrentTimerService();

class ScopedTimerService {
 public:
  explicit ScopedTimerService(ITimerService* service)
      : previous_(InstallTimerService(service)) {}
  ~ScopedTimerService() { InstallTimerService(previous_); }
  ScopedTimerService(const ScopedTimerService&) = delete;
  ScopedTimerService& operator=(const ScopedTimerService&) = delete;

 private:
  ITimerService* previous_;
};

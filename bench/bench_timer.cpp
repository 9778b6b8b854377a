// Lateness of the real timer service: how long after its due time each tick of a periodic
// timer starts, for 1 ms and 30 ms timers over 5 s each. Reported as counters in microseconds
// (p50, p99, max), with the number of ticks and of periods skipped because a tick came late.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "timer/RealTimerService.h"
#include "timer/TimerUser.h"

namespace {

using Clock = RealTimerService::Clock;
constexpr std::chrono::seconds kRunTime{5};

class LatenessProbe : public CTimerUser {
 public:
  LatenessProbe(const RealTimerService& service, std::size_t capacity) : service_(service) {
    lateness_.reserve(capacity);
  }
  ~LatenessProbe() override { EndTicks(); }

  // Runs on the timer thread; nothing here allocates while the reserve lasts.
  void OnTimer() override {
    const Clock::time_point due = service_.CurrentTickDue();
    const Clock::duration late = Clock::now() - due;
    if (lateness_.size() < lateness_.capacity()) lateness_.push_back(late);
    if (lastDue_ != Clock::time_point{}) {
      skipped_ += (due - lastDue_) / period_ - 1;
    }
    lastDue_ = due;
  }

  void Run(unsigned periodMs) {
    period_ = std::chrono::milliseconds(periodMs);
    const unsigned id = StartTimer(periodMs, this);
    std::this_thread::sleep_for(kRunTime);
    StopTimer(id);  // after this, the samples are ours to read
  }

  std::vector<Clock::duration>& Lateness() { return lateness_; }
  std::int64_t Skipped() const { return skipped_; }

 private:
  const RealTimerService& service_;
  std::vector<Clock::duration> lateness_;
  Clock::duration period_{};
  Clock::time_point lastDue_{};
  std::int64_t skipped_ = 0;
};

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

void BM_TimerLateness(benchmark::State& state) {
  const auto periodMs = static_cast<unsigned>(state.range(0));
  const std::size_t capacity = std::chrono::milliseconds(kRunTime).count() / periodMs + 100;
  for (auto _ : state) {
    RealTimerService service;
    ScopedTimerService installed(&service);
    LatenessProbe probe(service, capacity);
    probe.Run(periodMs);
    std::vector<Clock::duration>& samples = probe.Lateness();
    if (samples.empty()) {
      state.SkipWithError("no tick arrived");
      return;
    }
    std::sort(samples.begin(), samples.end());
    auto percentile = [&](double p) {
      return samples[static_cast<std::size_t>(p * static_cast<double>(samples.size() - 1))];
    };
    state.counters["p50_us"] = Micros(percentile(0.50));
    state.counters["p99_us"] = Micros(percentile(0.99));
    state.counters["max_us"] = Micros(samples.back());
    state.counters["ticks"] = static_cast<double>(samples.size());
    state.counters["skipped"] = static_cast<double>(probe.Skipped());
  }
}

BENCHMARK(BM_TimerLateness)
    ->ArgName("period_ms")
    ->Arg(1)
    ->Arg(30)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

// Runs jobs against each other on threads of their own, for the stress tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <random>
#include <thread>
#include <utility>
#include <vector>

// One round of a job, and the longest pause after it (in microseconds, random below that).
struct StressJob {
  template <typename Round>
  StressJob(Round round, unsigned maxPause = 0) : round(std::move(round)), maxPause(maxPause) {}
  std::function<void(std::mt19937&)> round;
  unsigned maxPause;
};

// Runs every job over and over, each on a thread of its own with a random generator of its own,
// for at least `least` and until every job ran `minRounds` times and `enough` holds. A run that
// never gets there (a deadlock, a starved thread) stops after a minute and fails.
inline void RunStressJobs(
    const std::vector<StressJob>& jobs, std::chrono::milliseconds least, long minRounds,
    const std::function<bool()>& enough = [] { return true; }) {
  std::atomic<bool> stop{false};
  std::vector<std::atomic<long>> rounds(jobs.size());
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    threads.emplace_back([&, i] {
      std::mt19937 rng(static_cast<unsigned>(i + 1));
      for (const StressJob& job = jobs[i]; !stop.load(); rounds[i].fetch_add(1)) {
        job.round(rng);
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % (job.maxPause + 1)));
      }
    });
  }
  const auto done = [&] {
    return std::ranges::all_of(rounds, [&](const auto& r) { return r.load() >= minRounds; }) &&
           enough();
  };
  const auto began = std::chrono::steady_clock::now();
  for (auto ran = began - began; ran < std::chrono::minutes(1) && (ran < least || !done());
       ran = std::chrono::steady_clock::now() - began) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  stop.store(true);
  for (auto& thread : threads) thread.join();
  EXPECT_TRUE(done()) << "the jobs did too little work";
}

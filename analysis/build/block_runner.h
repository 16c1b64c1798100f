// Monte Carlo trials on every core with the answer of one thread: the
// trials are split into blocks of kTrialBlock, each started from the
// generator state the trials before it leave, and each block's tally is
// merged in block order. So a seed gives the same builds, merged in the same
// order, however many threads share the blocks.
//
//   RunBlocks<Tally>(trials, seed, StepsPerBoard(shape, trimmed),
//       [&](int count, RandomState r, Tally& t) { ... count trials from r ... },
//       [&](Tally& t) { ... block order ... });
#pragma once

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "random_draws.h"

namespace velmora {

inline constexpr int kTrialBlock = 8192;

// Runs `trials` trials, each taking stepsPerTrial generator steps, by
// run(count, start, tally) per block, and hands each block's tally to
// merge in block order, one at a time. A thread does not start a block
// more than `ahead` (two a thread, and two) past the last merged, which
// bounds the tallies held at once whatever the number of trials.
template <class Tally, class Run, class Merge>
void RunBlocks(int trials, uint64_t seed, uint64_t stepsPerTrial, const Run& run, Merge merge) {
    trials = std::max(trials, 0);
    const int blocks = (trials + kTrialBlock - 1) / kTrialBlock;
    std::vector<RandomState> starts(static_cast<size_t>(blocks));
    RandomState random = SeedRandom(seed);
    const uint64_t steps = stepsPerTrial * kTrialBlock;
    for (RandomState& start : starts) {
        start = random;
        for (uint64_t k = 0; k < steps; ++k)
            NextBits(random);
    }
    const int workers =
        std::min(blocks, std::max(1, static_cast<int>(std::thread::hardware_concurrency())));
    const int ahead = 2 * workers + 2;
    std::atomic<int> next{0};
    std::mutex lock;
    std::condition_variable merged;
    std::map<int, Tally> waiting;
    int done = 0;  // blocks merged
    const auto work = [&] {
        for (int b = next++; b < blocks; b = next++) {
            {
                std::unique_lock<std::mutex> hold(lock);
                merged.wait(hold, [&] { return b < done + ahead; });
            }
            Tally t{};
            run(std::min(kTrialBlock, trials - b * kTrialBlock), starts[static_cast<size_t>(b)], t);
            std::lock_guard<std::mutex> hold(lock);
            waiting.emplace(b, std::move(t));
            for (auto it = waiting.begin(); it != waiting.end() && it->first == done;
                 it = waiting.erase(it), ++done)
                merge(it->second);
            merged.notify_all();
        }
    };
    std::vector<std::thread> threads;
    for (int k = 1; k < workers; ++k)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();
}

}  // namespace velmora

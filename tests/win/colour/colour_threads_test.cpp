// The colour functions touch no shared state: called from eight threads at once they give
// the results they give on one.
#include "varnelle.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <vector>

namespace {

// Every colour function on one input, folded into a few words.
std::vector<uint32_t> ResultsFor(uint32_t seed)
{
    const COLORREF first = seed * 2654435761u;
    const COLORREF second = (seed ^ 0x9E3779B9u) * 40503u;
    const int amount = static_cast<int>(seed % 256);
    return {LightenColor(amount, first), DarkenColor(amount, second), MixedColor(first, second),
            MidColor(second, first), static_cast<uint32_t>(GrayColor(first)), GetXpHighlightColor(),
            static_cast<uint32_t>(NumColorBits())};
}

// Fewer in the 32-bit build, which runs in an emulated guest: GetXpHighlightColor and
// NumColorBits ask the window server each time.
constexpr uint32_t kInputs = sizeof(void*) == 4 ? 100 : 600;

std::vector<std::vector<uint32_t>> AllResults()
{
    std::vector<std::vector<uint32_t>> results;
    results.reserve(kInputs);
    for (uint32_t input = 0; input < kInputs; ++input)
        results.push_back(ResultsFor(input));
    return results;
}

} // namespace

TEST(ColourThreads, EightThreadsAtOnceGiveTheResultsOfOne)
{
    const std::vector<std::vector<uint32_t>> expected = AllResults();
    std::vector<std::vector<std::vector<uint32_t>>> perThread(8);
    std::vector<std::thread> threads;
    for (auto& results : perThread)
        threads.emplace_back([&results] {
            for (int round = 0; round < 2; ++round)
                results = AllResults();
        });
    for (std::thread& thread : threads)
        thread.join();
    for (size_t thread = 0; thread < perThread.size(); ++thread)
        EXPECT_TRUE(perThread[thread] == expected) << "thread " << thread;
}

#include "support/Seeds.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace seeds {
namespace {

uint64_t EnvironmentNumber(const std::string& name, uint64_t fallback)
{
    const char* text = std::getenv(name.c_str());
    return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

int FailureCount()
{
    return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
}

}  // namespace

void RunSeeds(const char* variables, const char* tag, const char* unit, uint64_t defaultCount,
              const std::function<std::string(uint64_t)>& run)
{
    const uint64_t first = EnvironmentNumber(std::string(variables) + "_FIRST", 1);
    const uint64_t count = EnvironmentNumber(std::string(variables) + "_COUNT", defaultCount);
    for (uint64_t seed = first; seed < first + count; ++seed) {
        std::printf("[%s] %s %llu\n", tag, unit, static_cast<unsigned long long>(seed));
        std::fflush(stdout);
        const int failures = FailureCount();
        const std::string summary = run(seed);
        std::printf("[%s] %s %llu %s (%s)\n", tag, unit, static_cast<unsigned long long>(seed),
                    FailureCount() > failures ? "FAILED" : "passed", summary.c_str());
        std::fflush(stdout);
    }
}

}  // namespace seeds

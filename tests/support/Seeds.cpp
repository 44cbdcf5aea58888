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

void RunSeeds(const char* variables, const char* tag, const char* unit, const std::vector<uint64_t>& defaults,
              const std::function<std::string(uint64_t)>& run)
{
    std::vector<uint64_t> list = defaults;
    const std::string firstName = std::string(variables) + "_FIRST", countName = std::string(variables) + "_COUNT";
    if (std::getenv(firstName.c_str()) || std::getenv(countName.c_str())) {
        const uint64_t first = EnvironmentNumber(firstName, 1);
        const uint64_t count = EnvironmentNumber(countName, defaults.size());
        list.clear();
        for (uint64_t seed = first; seed < first + count; ++seed) list.push_back(seed);
    }
    for (uint64_t seed : list) {
        std::printf("[%s] %s %llu\n", tag, unit, static_cast<unsigned long long>(seed));
        std::fflush(stdout);
        const int failures = FailureCount();
        const std::string summary = run(seed);
        std::printf("[%s] %s %llu %s (%s)\n", tag, unit, static_cast<unsigned long long>(seed),
                    FailureCount() > failures ? "FAILED" : "passed", summary.c_str());
        std::fflush(stdout);
    }
}

void RunSeeds(const char* variables, const char* tag, const char* unit, uint64_t defaultCount,
              const std::function<std::string(uint64_t)>& run)
{
    std::vector<uint64_t> defaults;
    for (uint64_t seed = 1; seed <= defaultCount; ++seed) defaults.push_back(seed);
    RunSeeds(variables, tag, unit, defaults, run);
}

}  // namespace seeds

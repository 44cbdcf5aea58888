// A seeded test over a range of seeds: the range comes from the environment (as tools/seeds.sh
// sets it for a long run), and each seed is announced before it runs and reported after, in
// the lines tools/seeds.sh reads, so that a crash or a hang names its seed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace seeds {

// Runs run(seed) for the seeds <variables>_FIRST to <variables>_FIRST + <variables>_COUNT - 1
// (by default 1 to defaultCount), printing "[tag] unit N" before each and
// "[tag] unit N passed|FAILED (summary)" after it, summary being what run returned.
void RunSeeds(const char* variables, const char* tag, const char* unit, uint64_t defaultCount,
              const std::function<std::string(uint64_t)>& run);
// The same, with the seeds `defaults` when the environment names no range.
void RunSeeds(const char* variables, const char* tag, const char* unit, const std::vector<uint64_t>& defaults,
              const std::function<std::string(uint64_t)>& run);

}  // namespace seeds

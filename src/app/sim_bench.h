#pragma once
// teijinki-sim --bench: the fixed seeded games of every scenario, timed, and the signature of
// their final files.

#include <filesystem>
#include <iosfwd>

namespace teijinki {

// Plays the signature games in fresh folders under a temporary directory filled from data (its
// ini/), printing the median time per year and per game, the peak memory and the signature.
// rounds > 1 plays the set again for steadier timings (the signature is of the first round).
// Returns the process exit status.
int run_bench(const std::filesystem::path& data, int rounds, std::ostream& out);

}  // namespace teijinki

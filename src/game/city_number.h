#pragma once

// The number a player shares to play a city again: the seed the city was
// built from, written as an unsigned 32-bit number so that every seed has a
// plain one ("4294967295" is seed -1).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

std::string CityNumber(int32_t seed);

// The seed a city number gives: decimal digits only, at most 4294967295.
// Anything else (empty, a sign, spaces, letters, too large) is no city.
std::optional<int32_t> SeedOfCityNumber(std::string_view number);

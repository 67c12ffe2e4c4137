#pragma once

// What damage does to a car, the player's or a police car: past the first
// threshold it smokes, past the second it is wrecked (the player's car loses,
// a police car stops dead and rams no more).

#include <cstdint>

inline constexpr int32_t SmokeDamage = 50;
inline constexpr int32_t WreckDamage = 100;

#include "game/city_number.h"

std::string CityNumber(int32_t seed) {
    return std::to_string(static_cast<uint32_t>(seed));
}

std::optional<int32_t> SeedOfCityNumber(std::string_view number) {
    if (number.empty() || number.size() > 10) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (const char digit : number) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<uint64_t>(digit - '0');
    }
    if (value > UINT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

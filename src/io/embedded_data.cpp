#include "io/embedded_data.h"

#include <map>

namespace {

std::map<Text, std::span<const uint8_t>>& Registry() {
    static std::map<Text, std::span<const uint8_t>> registry;
    return registry;
}

} // namespace

void RegisterEmbeddedData(const Text& name, const void* data, size_t size) {
    Registry()[name] = std::span(static_cast<const uint8_t*>(data), size);
}

std::optional<std::span<const uint8_t>> FindEmbeddedData(const Text& name) {
    const auto found = Registry().find(name);
    if (found == Registry().end()) {
        return std::nullopt;
    }
    return found->second;
}

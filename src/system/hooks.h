#pragma once

// Hook chains: numbered lists of functions that a layer runs over a piece of
// data, each function handing its result on to the next. The event layer
// delivers every event through one of them; anyone may add a chain of their
// own with NewHookId.

#include <cstdint>
#include <memory>

// A hook's data and context are any shared object (or null); the chain's
// owner documents what its data is.
using THookData = std::shared_ptr<void>;

// A plain function pointer, so that a hook can be found again by identity.
using THookFunction = THookData (*)(int32_t hookId, const THookData& data,
                                    const THookData& context);

inline constexpr int32_t MaxHookIds = 256;

// Hands out 0, 1, 2 ... in order; the 257th request raises "Too many hook ids".
int32_t NewHookId();

// Adds the function behind every hook of the same or a higher priority:
// higher priorities run first, equal ones in the order they were added.
void AttachHook(int32_t hookId, THookFunction func, const THookData& context, int32_t priority);

// Removes the first hook with this function and context; none is no error.
void DetachHook(int32_t hookId, THookFunction func, const THookData& context);

// Runs the chain in order, each hook receiving what the previous returned,
// and returns what the last returned (the data itself for an empty chain).
// A hook may attach or detach hooks, itself included, while the chain runs.
THookData CallHookChain(int32_t hookId, THookData data);

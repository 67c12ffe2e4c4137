#include "system/hooks.h"

#include "util/runtime_error.h"

#include <array>

namespace {

struct THook {
    std::shared_ptr<THook> succ;
    int32_t priority = 0;
    THookFunction func = nullptr;
    THookData context;
    bool detached = false;
};

struct THookChains {
    int32_t nextId = 0;
    // Each chain starts with a sentinel so that insertion and removal never
    // special-case the head.
    std::array<std::shared_ptr<THook>, MaxHookIds> heads;
};

THookChains& Chains() {
    static THookChains chains;
    return chains;
}

// Unknown ids have no chain: attaching to them is ignored, calling them is a
// no-op, just as for an id whose chain is empty.
std::shared_ptr<THook> HeadOf(int32_t hookId) {
    auto& chains = Chains();
    if (hookId < 0 || hookId >= chains.nextId) {
        return nullptr;
    }
    auto& head = chains.heads[static_cast<size_t>(hookId)];
    if (!head) {
        head = std::make_shared<THook>();
    }
    return head;
}

} // namespace

int32_t NewHookId() {
    auto& chains = Chains();
    if (chains.nextId >= MaxHookIds) {
        RaiseRuntimeError(u"Too many hook ids");
    }
    return chains.nextId++;
}

void AttachHook(int32_t hookId, THookFunction func, const THookData& context, int32_t priority) {
    auto link = HeadOf(hookId);
    if (!link || !func) {
        return;
    }
    while (link->succ && link->succ->priority >= priority) {
        link = link->succ;
    }
    auto hook = std::make_shared<THook>();
    hook->priority = priority;
    hook->func = func;
    hook->context = context;
    hook->succ = std::move(link->succ);
    link->succ = std::move(hook);
}

void DetachHook(int32_t hookId, THookFunction func, const THookData& context) {
    auto link = HeadOf(hookId);
    if (!link) {
        return;
    }
    while (link->succ) {
        const auto& hook = link->succ;
        if (hook->func == func && hook->context == context) {
            // The removed hook keeps its successor, so a chain walk standing on
            // it carries on with the rest of the chain.
            hook->detached = true;
            link->succ = hook->succ;
            return;
        }
        link = link->succ;
    }
}

THookData CallHookChain(int32_t hookId, THookData data) {
    auto head = HeadOf(hookId);
    if (!head) {
        return data;
    }
    for (auto hook = head->succ; hook; hook = hook->succ) {
        if (!hook->detached) {
            data = hook->func(hookId, data, hook->context);
        }
    }
    return data;
}

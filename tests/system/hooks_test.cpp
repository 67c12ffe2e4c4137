#include "system/hooks.h"
#include "util/runtime_error.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Each hook appends its context's letter to the text that runs down the chain.
THookData AppendLetter(int32_t, const THookData& data, const THookData& context) {
    const auto& text = *std::static_pointer_cast<std::string>(data);
    const char letter = *std::static_pointer_cast<char>(context);
    return std::make_shared<std::string>(text + letter);
}

THookData Letter(char letter) {
    return std::make_shared<char>(letter);
}

std::string RunChain(int32_t hookId) {
    const auto result = CallHookChain(hookId, std::make_shared<std::string>());
    return *std::static_pointer_cast<std::string>(result);
}

THookData DetachSelf(int32_t hookId, const THookData& data, const THookData& context) {
    DetachHook(hookId, DetachSelf, context);
    return AppendLetter(hookId, data, context);
}

} // namespace

TEST(HooksTest, HigherPrioritiesRunFirstAndEqualOnesInOrderOfAdding) {
    const int32_t chain = NewHookId();
    const auto a = Letter('a');
    const auto b = Letter('b');
    const auto c = Letter('c');
    const auto d = Letter('d');
    AttachHook(chain, AppendLetter, a, 0);
    AttachHook(chain, AppendLetter, b, 5);
    AttachHook(chain, AppendLetter, c, 0);
    AttachHook(chain, AppendLetter, d, -3);
    EXPECT_EQ(RunChain(chain), "bacd");

    // Detaching finds the hook by function and context.
    DetachHook(chain, AppendLetter, c);
    DetachHook(chain, AppendLetter, Letter('a')); // another object: not attached
    EXPECT_EQ(RunChain(chain), "bad");
}

TEST(HooksTest, AnEmptyOrUnknownChainReturnsTheDataUnchanged) {
    const int32_t chain = NewHookId();
    const auto data = std::make_shared<std::string>("x");
    EXPECT_EQ(CallHookChain(chain, data), data);
    EXPECT_EQ(CallHookChain(MaxHookIds + 5, data), data);
    AttachHook(-1, AppendLetter, Letter('a'), 0); // ignored, no crash
}

TEST(HooksTest, AHookMayDetachItselfWhileTheChainRuns) {
    const int32_t chain = NewHookId();
    AttachHook(chain, AppendLetter, Letter('a'), 2);
    AttachHook(chain, DetachSelf, Letter('x'), 1);
    AttachHook(chain, AppendLetter, Letter('b'), 0);
    EXPECT_EQ(RunChain(chain), "axb");
    EXPECT_EQ(RunChain(chain), "ab");
}

TEST(HooksTest, HookIdsRunOutAfter256) {
    // In a child process: the ids used up here would be missed by other tests.
    EXPECT_EXIT(
        {
            int32_t last = NewHookId();
            while (last < MaxHookIds - 1) {
                const int32_t next = NewHookId();
                if (next != last + 1) {
                    std::exit(1);
                }
                last = next;
            }
            try {
                NewHookId();
            } catch (const TRuntimeError& error) {
                std::fputs(error.what(), stderr);
                std::exit(0);
            }
            std::exit(2);
        },
        ::testing::ExitedWithCode(0), "^Too many hook ids$");
}

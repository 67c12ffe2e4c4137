#include "util/registration_chain.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class TMember {
public:
    TMember(TRegistrationChain<TMember>& chain, int memberId) : id(memberId), _link(chain, *this) {}

    const int id;

private:
    TRegistrationChain<TMember>::TLink _link;
};

std::vector<int> Walk(const TRegistrationChain<TMember>& chain) {
    std::vector<int> ids;
    for (const TMember& member : chain) {
        ids.push_back(member.id);
    }
    return ids;
}

} // namespace

// The chains' own users only ever destroy their members newest first; a
// member may as well go while others made after it still stand.
TEST(RegistrationChain, AMemberLeavesFromWhereverItStands) {
    TRegistrationChain<TMember> chain;
    EXPECT_EQ(chain.Front(), nullptr);
    TMember oldest(chain, 1);
    auto middle = std::make_unique<TMember>(chain, 2);
    auto newest = std::make_unique<TMember>(chain, 3);
    EXPECT_EQ(Walk(chain), std::vector<int>({3, 2, 1}));

    middle.reset();
    EXPECT_EQ(Walk(chain), std::vector<int>({3, 1}));
    newest.reset();
    EXPECT_EQ(Walk(chain), std::vector<int>({1}));
    EXPECT_EQ(chain.Front(), &oldest);
}

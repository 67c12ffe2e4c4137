#include "world/pathfinder.h"

#include "util/numeric.h"
#include "util/random.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

struct TRun;

// One reached cell. The search list is a single chain through After that
// begins at the start node; the node being expanded splits it into the
// expanded part before it and the waiting part after it, which stands in
// ascending order of Cost + Dist (except where a re-parented node's cost
// changed in place, see OfferParent).
struct TPath {
    int32_t X = 0;
    int32_t Y = 0;
    TPath* Parent = nullptr;
    float Cost = 0.0f; // from the start along the Parent chain
    float Dist = 0.0f; // heuristic estimate of what remains to the goal
    TPath* After = nullptr;
    double Key = 0.0;    // F of the node, refreshed whenever Cost changes
    TRun* Run = nullptr; // the run holding the node while it waits, else null
};

// The waiting part of the list is cut into runs of consecutive nodes, each
// with a bound that no F in it exceeds. An insertion steps over a whole run
// whose bound is not above the new F instead of walking its nodes one by one:
// the node lands exactly where the plain walk would put it, but the walk
// costs a few dozen comparisons instead of hundreds. The bound only has to
// be an upper one; it is made exact again whenever a run is walked through.
struct TRun {
    TPath* First = nullptr;
    TPath* Last = nullptr;
    int32_t Count = 0;
    double MaxF = 0.0;
    TRun* Next = nullptr;
};

// A run longer than this is split in two.
constexpr int32_t MaxRunLength = 16;

struct TMove {
    int32_t dx;
    int32_t dy;
};

// The order is part of the result: it decides which of several equal
// candidates enters the list first, and the order of the random draws.
constexpr TMove Moves[8] = {{+1, 0},  {0, +1},  {-1, 0},  {0, -1},
                            {+1, +1}, {-1, +1}, {-1, -1}, {+1, -1}};
constexpr int32_t StraightMoveCount = 4;

const TGrid2D<float>* PathGrid = nullptr;
int32_t PathWidth = 0;
int32_t PathHeight = 0;
int32_t DiagonalMode = 0;
float CostNoise = 0.0f;

// A cell is reached at most once per search, so one node per cell is all a
// search can need: the pool is sized by SetUp and merely reset per search,
// which also keeps the node addresses stable for the whole search.
std::vector<TPath> NodePool;
int32_t NodesUsed = 0;

// The node each cell got, column after column. An entry counts only if it
// was written by the current search, so nothing is cleared between searches.
struct TCellNode {
    uint32_t Search = 0;
    TPath* Node = nullptr;
};
std::vector<TCellNode> CellNodes;
uint32_t SearchNumber = 0;

// Every run starts from a node inserted into an empty waiting part or from
// a split of a full run, so a search never needs twice as many runs as the
// grid has cells.
std::vector<TRun> RunPool;
int32_t RunsUsed = 0;
TRun* FirstRun = nullptr;
TRun* LastRun = nullptr;

std::vector<int32_t> LastRoute;
int32_t LastRouteLength = 0;

double F(const TPath& node) {
    // For the magnitudes a search produces, the sum of two floats is exact in
    // double: equal sums compare equal and no tie is broken by rounding.
    return static_cast<double>(node.Dist) + static_cast<double>(node.Cost);
}

size_t CellIndex(int32_t x, int32_t y) {
    return static_cast<size_t>(x) * static_cast<size_t>(PathHeight) + static_cast<size_t>(y);
}

TPath& NewNode(int32_t x, int32_t y, TPath* parent) {
    TPath& node = NodePool[static_cast<size_t>(NodesUsed++)];
    node = TPath{};
    node.X = x;
    node.Y = y;
    node.Parent = parent;
    CellNodes[CellIndex(x, y)] = TCellNode{SearchNumber, &node};
    return node;
}

// The node this search made for cell (x, y), or null.
TPath* ReachedNode(int32_t x, int32_t y) {
    const TCellNode& entry = CellNodes[CellIndex(x, y)];
    return entry.Search == SearchNumber ? entry.Node : nullptr;
}

// Starts a search: every cell counts as unreached.
void BeginSearch() {
    NodesUsed = 0;
    if (++SearchNumber == 0) {
        // After 2^32 searches the numbers come round: forget every entry.
        std::fill(CellNodes.begin(), CellNodes.end(), TCellNode{});
        SearchNumber = 1;
    }
}

// Cost of a node reached from `from` by one move onto a cell of value
// `cellCost`. The random draw is made even when the noise bound is 0: it
// always takes two steps of the generator, and a seeded run reproduces only
// if every search consumes the same number of them.
float StepCost(const TPath& from, float cellCost, bool diagonal) {
    const double r = RandomRange(0.0, static_cast<double>(CostNoise));
    const double base = static_cast<double>(from.Cost);
    if (!diagonal) {
        return static_cast<float>(base + static_cast<double>(TPathfinder::BasicCost) +
                                  static_cast<double>(cellCost) + r);
    }
    return static_cast<float>(base + static_cast<double>(TPathfinder::Root2) *
                                         (static_cast<double>(TPathfinder::BasicCost) +
                                          static_cast<double>(cellCost) + r));
}

float Heuristic(int32_t x, int32_t y, int32_t goalX, int32_t goalY) {
    const int32_t ax = AbsInt(x - goalX);
    const int32_t ay = AbsInt(y - goalY);
    if (DiagonalMode == 0) {
        // Every straight step costs at least BasicCost (0.25), so an eighth
        // per cell never overestimates on a grid without negative values.
        return static_cast<float>((ax + ay) / 8.0);
    }
    const double root2 = static_cast<double>(TPathfinder::Root2);
    if (ax > ay) {
        return static_cast<float>(0.1 * ((ax - ay) + ay * root2));
    }
    return static_cast<float>(0.1 * ((ay - ax) + ax * root2));
}

void ResetRuns() {
    RunsUsed = 0;
    FirstRun = nullptr;
    LastRun = nullptr;
}

TRun& NewRun(TPath& first, TPath& last, int32_t count, TRun* next) {
    TRun& run = RunPool[static_cast<size_t>(RunsUsed++)];
    run = TRun{&first, &last, count, 0.0, next};
    if (next == nullptr) {
        LastRun = &run;
    }
    return run;
}

// Cuts `run` after its first half; both halves get exact bounds.
void Split(TRun& run) {
    TPath* last = run.First;
    double firstMax = last->Key;
    for (int32_t i = 1; i < MaxRunLength / 2; ++i) {
        last = last->After;
        firstMax = std::max(firstMax, last->Key);
    }
    TRun& second = NewRun(*last->After, *run.Last, run.Count - MaxRunLength / 2, run.Next);
    double secondMax = second.First->Key;
    for (TPath* p = second.First;; p = p->After) {
        p->Run = &second;
        secondMax = std::max(secondMax, p->Key);
        if (p == second.Last) {
            break;
        }
    }
    second.MaxF = secondMax;
    run.Last = last;
    run.Count = MaxRunLength / 2;
    run.MaxF = firstMax;
    run.Next = &second;
}

// Puts `node` behind every waiting node whose F is not greater, so that
// among equal F the node inserted first is expanded first. Nothing goes in
// front of `current`: the expanded part of the list is never touched.
void Insert(TPath& current, TPath& node) {
    const double f = node.Key;
    TPath* before = &current; // the node the new one will follow
    TRun* into = nullptr;
    for (TRun* run = FirstRun; run != nullptr && into == nullptr; run = run->Next) {
        if (run->MaxF <= f) {
            before = run->Last;
            continue;
        }
        double exactMax = -std::numeric_limits<double>::infinity();
        for (int32_t i = 0; i < run->Count; ++i) {
            const double next = before->After->Key;
            if (next > f) {
                into = run;
                break;
            }
            exactMax = std::max(exactMax, next);
            before = before->After;
        }
        if (into == nullptr) {
            run->MaxF = exactMax;
        }
    }
    node.After = before->After;
    before->After = &node;
    if (into == nullptr) {
        // Behind every waiting node: the end of the last run, or a first run.
        if (LastRun == nullptr) {
            FirstRun = &NewRun(node, node, 0, nullptr);
        } else {
            LastRun->Last = &node;
        }
        into = LastRun;
    } else if (into->First == node.After) {
        into->First = &node;
    }
    node.Run = into;
    into->MaxF = into->Count == 0 ? f : std::max(into->MaxF, f);
    if (++into->Count > MaxRunLength) {
        Split(*into);
    }
}

// Takes the next node to expand off the front of the waiting part.
TPath* TakeNext(const TPath& current) {
    TPath* next = current.After;
    if (next == nullptr) {
        return nullptr;
    }
    TRun& run = *FirstRun;
    next->Run = nullptr;
    if (--run.Count == 0) {
        FirstRun = run.Next;
        if (FirstRun == nullptr) {
            LastRun = nullptr;
        }
    } else {
        run.First = next->After;
    }
    return next;
}

bool IsAncestor(const TPath& candidate, const TPath& node) {
    for (const TPath* p = &node; p != nullptr; p = p->Parent) {
        if (p == &candidate) {
            return true;
        }
    }
    return false;
}

// Offers `current` as a cheaper parent of the already reached node `k`.
//
// The threshold is evaluated in double, like the step costs it is measured
// against; rounding it to float first would flip near-ties, and every
// re-parenting decision changes the random draws of the rest of the run.
//
// k keeps its place in the list even though its F changes. Moving it would
// change the order of expansion, and with it the order of every later random
// draw, so a seeded city would no longer be reproduced. Nodes reached through
// k keep their costs as well.
//
// A cell value below zero can make the test pass for an ancestor of
// `current` (the start node included); re-parenting it would close a loop in
// the Parent chain, and building the route would then never end. Such a move
// is refused. With four-way moves and no negative values costs rise along
// every chain, so the refusal never happens on the game's grid.
void OfferParent(TPath& k, TPath& current, float cellCost, bool diagonal) {
    const double threshold =
        static_cast<double>(current.Cost) + static_cast<double>(TPathfinder::BasicCost) +
        static_cast<double>(cellCost) * static_cast<double>(TPathfinder::Root2) +
        static_cast<double>(CostNoise);
    if (static_cast<double>(k.Cost) > threshold && !IsAncestor(k, current)) {
        k.Parent = &current;
        k.Cost = StepCost(current, cellCost, diagonal);
        k.Key = F(k);
        if (k.Run != nullptr) {
            k.Run->MaxF = std::max(k.Run->MaxF, k.Key);
        }
    }
}

bool Passable(int32_t x, int32_t y) {
    return (*PathGrid)(x, y) < 1.0f;
}

// Tries every allowed move from `current`. Returns the goal node as soon as
// the goal cell is first reached (its remaining moves are not tried), or null.
TPath* Expand(TPath& current, int32_t goalX, int32_t goalY) {
    const int32_t moveCount = DiagonalMode == 0 ? StraightMoveCount : 8;
    for (int32_t m = 0; m < moveCount; ++m) {
        const bool diagonal = m >= StraightMoveCount;
        const int32_t x = current.X + Moves[m].dx;
        const int32_t y = current.Y + Moves[m].dy;
        // One unsigned comparison per axis also refuses -1.
        if (static_cast<uint32_t>(x) >= static_cast<uint32_t>(PathWidth) ||
            static_cast<uint32_t>(y) >= static_cast<uint32_t>(PathHeight)) {
            continue;
        }
        const float cellCost = (*PathGrid)(x, y);
        if (!(cellCost < 1.0f)) {
            continue;
        }
        if (DiagonalMode == 2 && diagonal && !(Passable(x, current.Y) && Passable(current.X, y))) {
            continue;
        }
        if (TPath* k = ReachedNode(x, y)) {
            OfferParent(*k, current, cellCost, diagonal);
            continue;
        }
        TPath& node = NewNode(x, y, &current);
        node.Cost = StepCost(current, cellCost, diagonal);
        node.Dist = Heuristic(x, y, goalX, goalY);
        node.Key = F(node);
        Insert(current, node);
        if (x == goalX && y == goalY) {
            return &node;
        }
    }
    return nullptr;
}

void StoreRoute(const TPath& goal) {
    int32_t length = 0;
    for (const TPath* p = &goal; p != nullptr; p = p->Parent) {
        ++length;
    }
    LastRoute.resize(2 * static_cast<size_t>(length));
    size_t i = 0;
    for (const TPath* p = &goal; p != nullptr; p = p->Parent) {
        LastRoute[i++] = p->X;
        LastRoute[i++] = p->Y;
    }
    LastRouteLength = length;
}

void CheckCell(int32_t x, int32_t y) {
    if (x < 0 || x >= PathWidth || y < 0 || y >= PathHeight) {
        throw std::out_of_range("TPathfinder::FindPath: cell outside the grid");
    }
}

} // namespace

int32_t TPathfinder::SetUp(const TGrid2D<float>& grid, int32_t diagonalMode, float costNoise) {
    PathGrid = &grid;
    PathWidth = grid.Width();
    PathHeight = grid.Height();
    DiagonalMode = diagonalMode;
    CostNoise = costNoise;
    NodePool.assign(static_cast<size_t>(PathWidth) * static_cast<size_t>(PathHeight), TPath{});
    // Entries left from searches on an earlier pool must not be mistaken
    // for nodes of the new one.
    CellNodes.assign(NodePool.size(), TCellNode{});
    SearchNumber = 0;
    NodesUsed = 0;
    RunPool.assign(2 * NodePool.size() + 1, TRun{});
    ResetRuns();
    return 0;
}

int32_t TPathfinder::FindPath(int32_t startX, int32_t startY, int32_t goalX, int32_t goalY) {
    if (PathGrid == nullptr) {
        throw std::logic_error("TPathfinder::FindPath before SetUp");
    }
    // The pool and the node grid were sized by SetUp; a grid resized since
    // then would be read and written out of bounds.
    if (PathGrid->Width() != PathWidth || PathGrid->Height() != PathHeight) {
        throw std::logic_error("TPathfinder::FindPath: the grid changed size since SetUp");
    }
    CheckCell(startX, startY);
    CheckCell(goalX, goalY);

    // The start is the goal: a one-cell route, whatever the cell holds.
    if (startX == goalX && startY == goalY) {
        LastRoute.assign({startX, startY});
        LastRouteLength = 1;
        NodesUsed = 0;
        return 1;
    }
    LastRouteLength = 0;
    // Only the goal is checked: the start cell's own value is never examined.
    if (!Passable(goalX, goalY)) {
        NodesUsed = 0;
        return 0;
    }

    BeginSearch();
    ResetRuns();
    TPath& start = NewNode(startX, startY, nullptr);
    TPath* goal = nullptr;
    for (TPath* current = &start; current != nullptr && goal == nullptr;
         current = TakeNext(*current)) {
        goal = Expand(*current, goalX, goalY);
    }
    if (goal == nullptr) {
        return 0;
    }
    StoreRoute(*goal);
    return 1;
}

const std::vector<int32_t>& TPathfinder::Route() {
    return LastRoute;
}

int32_t TPathfinder::RouteLength() {
    return LastRouteLength;
}

int32_t TPathfinder::NodeCount() {
    return NodesUsed;
}

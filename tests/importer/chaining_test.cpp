#include <importer/Chaining.h>
#include <importer/Placement.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <set>

namespace {

constexpr double kJoin = 0.01;

// Keeps the points of the pieces a test draws.
std::deque<std::vector<position>> storage;

Piece piece(std::vector<position> points, std::size_t tag)
{
    storage.push_back(std::move(points));
    return Piece{storage.back(), tag};
}

Piece segment(double x0, double y0, double x1, double y1, std::size_t tag)
{
    return piece({{x0, y0, 0}, {x1, y1, 0}}, tag);
}

TEST(Chaining, ShuffledAndReversedSidesCloseIntoOneOutline)
{
    std::vector<Piece> pieces{segment(10, 10, 10, 0, 0), segment(0, 0, 10, 0, 1), segment(0, 10, 10, 10, 2),
                              segment(0, 10, 0, 0, 3)};
    const auto chains = chainPieces(pieces, kJoin);
    ASSERT_EQ(chains.size(), 1u);
    EXPECT_TRUE(chains[0].closed);
    EXPECT_EQ(chains[0].points.size(), 5u);
    EXPECT_EQ(std::set<std::size_t>(chains[0].tags.begin(), chains[0].tags.end()).size(), 4u);
}

struct GapCase {
    const char* name;
    double gap;
    std::size_t chains;
};

class ChainGap : public ::testing::TestWithParam<GapCase> {};

TEST_P(ChainGap, EndsMeetOnlyWithinTheJoinTolerance)
{
    const double g = GetParam().gap;
    const auto chains = chainPieces({segment(0, 0, 10, 0, 0), segment(10 + g, 0, 20, 5, 1)}, kJoin);
    EXPECT_EQ(chains.size(), GetParam().chains);
    EXPECT_FALSE(chains[0].closed);
}

INSTANTIATE_TEST_SUITE_P(Gaps, ChainGap,
                         ::testing::Values(GapCase{"Touching", 0.0, 1}, GapCase{"WithinTolerance", 0.009, 1},
                                           GapCase{"JustOutside", 0.011, 2}, GapCase{"Apart", 1.0, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Chaining, OpenChainExtendsBothWaysFromItsFirstPiece)
{
    const auto chains =
        chainPieces({segment(10, 0, 20, 0, 0), segment(0, 0, 10, 0, 1), segment(20, 0, 30, 0, 2)}, kJoin);
    ASSERT_EQ(chains.size(), 1u);
    EXPECT_FALSE(chains[0].closed);
    EXPECT_DOUBLE_EQ(chains[0].gap, 30.0);
    EXPECT_EQ(chains[0].points.size(), 4u);
}

TEST(Chaining, BranchingPointsUseEveryPieceExactlyOnce)
{
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < 6; ++i)
        pieces.push_back(segment(0, 0, std::cos(i), std::sin(i), i));
    std::vector<std::size_t> tags;
    for (const Chain& chain : chainPieces(pieces, kJoin))
        tags.insert(tags.end(), chain.tags.begin(), chain.tags.end());
    std::sort(tags.begin(), tags.end());
    EXPECT_EQ(tags, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5}));
}

TEST(Chaining, SinglePieceWhoseEndsMeetIsClosed)
{
    const Piece loop = piece({{0, 0, 0}, {5, 0, 0}, {5, 5, 0}, {0, 0.001, 0}}, 0);
    const auto chains = chainPieces({loop}, kJoin);
    ASSERT_EQ(chains.size(), 1u);
    EXPECT_TRUE(chains[0].closed);
}

// Tens of thousands of shuffled squares: a quadratic search would not finish.
TEST(Chaining, ManyShuffledSquaresAllClose)
{
    constexpr int kSide = 200;
    std::vector<Piece> pieces;
    for (int i = 0; i < kSide; ++i)
        for (int j = 0; j < kSide; ++j) {
            const double x = i * 20.0, y = j * 20.0;
            pieces.push_back(segment(x, y, x + 10, y, 0));
            pieces.push_back(segment(x + 10, y + 10, x + 10, y, 0));
            pieces.push_back(segment(x + 10, y + 10, x, y + 10, 0));
            pieces.push_back(segment(x, y, x, y + 10, 0));
        }
    std::shuffle(pieces.begin(), pieces.end(), std::mt19937(7));
    const auto chains = chainPieces(std::move(pieces), kJoin);
    EXPECT_EQ(chains.size(), static_cast<std::size_t>(kSide * kSide));
    EXPECT_TRUE(std::all_of(chains.begin(), chains.end(), [](const Chain& c) { return c.closed; }));
}

// Sets of open pieces of every count from 1 to 600 whose ends are all apart,
// all on two points, or a mix: every piece lands in one chain and the work
// grows linearly with the count. A table that fills up or a scan over used
// ends would blow the bound (or never return).
enum class Ends { Distinct, Coincident, Mixed };

std::vector<Piece> openPieces(std::size_t count, Ends ends, std::mt19937& random)
{
    std::vector<Piece> pieces;
    std::uniform_int_distribution<int> pick(0, 3);
    for (std::size_t i = 0; i < count; ++i) {
        const double x = static_cast<double>(i) * 3.0;
        switch (ends) {
        case Ends::Distinct: pieces.push_back(segment(x, 0, x + 1, 1, i)); break;
        case Ends::Coincident: pieces.push_back(segment(0, 0, 5, 5, i)); break;
        case Ends::Mixed:
            pieces.push_back(pick(random) == 0 ? segment(0, 0, pick(random), 7, i) : segment(x, 2, x + 1, 3, i));
            break;
        }
    }
    return pieces;
}

TEST(Chaining, WorkStaysLinearWhateverTheEndsShare)
{
    std::mt19937 random(17);
    for (Ends ends : {Ends::Distinct, Ends::Coincident, Ends::Mixed})
        for (std::size_t count = 1; count <= 600; ++count) {
            storage.clear();
            std::size_t steps = 0;
            const auto chains = chainPieces(openPieces(count, ends, random), kJoin, &steps);
            std::size_t pieces = 0;
            for (const Chain& chain : chains)
                pieces += chain.tags.size();
            ASSERT_EQ(pieces, count) << "count " << count << ", layout " << static_cast<int>(ends);
            ASSERT_LE(steps, 100 * count + 100) << "count " << count << ", layout " << static_cast<int>(ends);
        }
}

} // namespace

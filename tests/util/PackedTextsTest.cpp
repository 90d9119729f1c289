#include "util/PackedTexts.h"
#include "util/TextBlocks.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

// Lengths around the one-byte length limit, in every position, read back whole; replacing one
// text keeps the others.
TEST(PackedTexts, TextsOfEveryLengthReadBack)
{
    const size_t lengths[] = {0, 1, 7, 254, 255, 256, 1020, 4000};
    std::mt19937 random(7);
    for (size_t a : lengths) {
        for (size_t b : lengths) {
            std::string texts[4];
            for (int k = 0; k < 4; ++k)
                texts[k] = std::string(k % 2 ? a : b, static_cast<char>('a' + random() % 26));
            const std::string_view views[4] = {texts[0], texts[1], texts[2], texts[3]};
            PackedTexts<4> packed;
            packed.set(views);
            EXPECT_EQ(packed.isNull(), a == 0 && b == 0);
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(packed.view(k), texts[k]) << a << " " << b << " text " << k;

            texts[2] = std::string(a + 3, 'z');
            packed.set(2, texts[2]);
            PackedTexts<4> moved = std::move(packed);
            EXPECT_TRUE(packed.isNull());
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(moved.view(k), texts[k]) << a << " " << b << " after set, text " << k;
        }
    }
}

// Blocks handed out at the same time never overlap, also when freed blocks are handed out again.
TEST(TextBlocks, LiveBlocksKeepTheirBytes)
{
    struct Block { char *at; size_t bytes; char fill; };
    std::vector<Block> live;
    std::mt19937 random(11);
    const auto check = [&] {
        for (const Block &b : live)
            for (size_t i = 0; i < b.bytes; ++i)
                if (b.at[i] != b.fill) {
                    ADD_FAILURE() << "block of " << b.bytes << " bytes overwritten";
                    return;
                }
    };
    for (int round = 0; round < 20000; ++round) {
        if (!live.empty() && random() % 3 == 0) {
            const size_t k = random() % live.size();
            TextBlocks::Free(live[k].at, live[k].bytes);
            live[k] = live.back();
            live.pop_back();
            continue;
        }
        // Mostly record-sized blocks, now and then one above the pooled sizes.
        const size_t bytes = random() % 50 == 0 ? 5000 + random() % 100 : 1 + random() % 300;
        const char fill = static_cast<char>(random());
        char *at = TextBlocks::Allocate(bytes);
        std::fill(at, at + bytes, fill);
        live.push_back({at, bytes, fill});
        if (round % 1000 == 0)
            check();
    }
    check();
    for (const Block &b : live)
        TextBlocks::Free(b.at, b.bytes);
}

// The blocks of a run stay in use when every other block is freed while it lives, and the blocks
// handed out after it end keep clear of them.
TEST(TextBlocks, BlocksOfARunStayWhenAllOthersAreFreed)
{
    auto allocate = [](int count, char fill) {
        std::vector<char *> blocks;
        for (int i = 0; i < count; ++i) {
            blocks.push_back(TextBlocks::Allocate(40));
            std::fill(blocks.back(), blocks.back() + 40, fill);
        }
        return blocks;
    };
    const std::vector<char *> before = allocate(100, 'a');
    std::vector<char *> inRun;
    {
        const TextBlocks::Run run;
        const TextBlocks::Run inner;  // part of the outer one
        inRun = allocate(100000, 'b');  // more than one chunk
        for (char *b : before)
            TextBlocks::Free(b, 40);
    }
    const std::vector<char *> after = allocate(100000, 'c');
    for (char *b : inRun)
        ASSERT_EQ(std::string(b, 40), std::string(40, 'b'));
    // Freeing the run's blocks counts them as they were counted when the run ended.
    for (char *b : inRun)
        TextBlocks::Free(b, 40);
    const std::vector<char *> again = allocate(100000, 'd');
    for (char *b : after)
        ASSERT_EQ(std::string(b, 40), std::string(40, 'c'));
    for (const std::vector<char *> &blocks : {after, again})
        for (char *b : blocks)
            TextBlocks::Free(b, 40);
    // With every block given back, and only then, blocks are laid out in order again, not taken
    // from those freed last.
    char *const first = TextBlocks::Allocate(40);
    char *const second = TextBlocks::Allocate(40);
    EXPECT_EQ(second, first + 40);
    TextBlocks::Free(first, 40);
    TextBlocks::Free(second, 40);
}

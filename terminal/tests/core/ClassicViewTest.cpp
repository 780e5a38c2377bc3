#include "ClassicView.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// What a page shows of everything the device sent since its text was last emptied: each CR LF,
// or CR alone, one line break; a CR at the very end is not shown yet.
std::string Shown(const std::string& received)
{
    std::string text;
    for (std::size_t i = 0; i < received.size(); ++i) {
        if (received[i] != '\r') {
            text += received[i];
        } else if (i + 1 < received.size()) {
            text += '\n';
            if (received[i + 1] == '\n')
                ++i;
        }
    }
    return text;
}

TEST(ClassicView, TheFoldOfAnyChunksShowsTheirLinesWithOneBreakEach)
{
    std::mt19937 random(7);
    const char* pieces[] = {"D+0012.345", "\r\n", "\r", "\n", "E02", " ", "SA[n]"};
    for (int round = 0; round < 2000; ++round) {
        CClassicView view;
        std::string shown = "earlier\n";
        std::string received;
        bool emptied = false;
        const int chunks = static_cast<int>(random() % 12) + 1;
        for (int c = 0; c < chunks; ++c) {
            CClassicUpdate update;
            update.clearBefore = random() % 9 == 0;
            update.clearAfter = random() % 13 == 0;
            update.scroll = random() % 2 == 0;
            for (int p = static_cast<int>(random() % 4); p > 0; --p)
                update.insert += pieces[random() % std::size(pieces)];
            view.Take(update);
            emptied = emptied || update.clearBefore || update.clearAfter;
            if (update.clearBefore)
                received.clear();
            received += update.insert;
            if (update.clearAfter)
                received.clear();
            // The page shows the fold on its timer, now and then.
            if (random() % 3 == 0) {
                if (view.Pending().clearBefore)
                    shown.clear();
                shown += view.Pending().insert;
                view.Shown();
            }
        }
        if (view.Pending().clearBefore)
            shown.clear();
        shown += view.Pending().insert;
        ASSERT_EQ(shown, (emptied ? "" : "earlier\n") + Shown(received)) << "round " << round;
        EXPECT_EQ(view.HoldsLineEnd(), received.ends_with('\r')) << "round " << round;
        EXPECT_FALSE(view.Pending().clearAfter);
        view.Shown();
        EXPECT_FALSE(view.HasPending());
    }
}

TEST(ClassicView, ACrLfSplitOverTwoChunksIsOneLineBreak)
{
    CClassicView view;
    view.Take({false, true, "ok\r", false});
    EXPECT_EQ(view.Pending().insert, "ok");
    EXPECT_TRUE(view.HoldsLineEnd());
    view.Take({false, false, "\nnext\r\n", false});
    EXPECT_EQ(view.Pending().insert, "ok\nnext\n");
    EXPECT_FALSE(view.HoldsLineEnd());
    EXPECT_TRUE(view.Pending().scroll);

    view.Take({false, false, "last\r", false});
    view.Reset();
    EXPECT_FALSE(view.HasPending());
    EXPECT_FALSE(view.HoldsLineEnd()) << "an emptied page keeps no line end";
    view.Take({false, false, "\n", false});
    EXPECT_EQ(view.Pending().insert, "\n");
}

} // namespace

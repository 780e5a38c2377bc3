#include "ClassicView.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// A text that is only ever appended to, as the page's is while no one moves the caret.
std::string Converted(const std::string& chunk)
{
    std::string text;
    for (std::size_t i = 0; i < chunk.size(); ++i) {
        if (chunk[i] == '\r' && i + 1 < chunk.size() && chunk[i + 1] == '\n')
            continue;
        text += chunk[i] == '\r' ? '\n' : chunk[i];
    }
    return text;
}

void Apply(const CClassicUpdate& update, std::string& text)
{
    if (update.clearBefore)
        text.clear();
    text += update.insert;
    if (update.clearAfter)
        text.clear();
}

TEST(ClassicView, AFoldShowsWhatTheChunksOneByOneWould)
{
    std::mt19937 random(7);
    const char* pieces[] = {"D+0012.345", "\r\n", "\r", "\n", "E02", " ", "SA[n]"};
    for (int round = 0; round < 2000; ++round) {
        CClassicView view;
        std::string shown = "earlier\n", oneByOne = shown;
        const int chunks = static_cast<int>(random() % 12) + 1;
        for (int c = 0; c < chunks; ++c) {
            CClassicUpdate update;
            update.clearBefore = random() % 9 == 0;
            update.clearAfter = random() % 13 == 0;
            update.scroll = random() % 2 == 0;
            for (int p = static_cast<int>(random() % 4); p > 0; --p)
                update.insert += pieces[random() % std::size(pieces)];
            view.Take(update);
            CClassicUpdate converted = update;
            converted.insert = Converted(update.insert);
            Apply(converted, oneByOne);
        }
        Apply(view.Pending(), shown);
        ASSERT_EQ(shown, oneByOne) << "round " << round;
        EXPECT_FALSE(view.Pending().clearAfter);
        view.Shown();
        EXPECT_FALSE(view.HasPending());
    }
}

TEST(ClassicView, EachChunksLineEndsBecomeLineFeedsOnTheirOwn)
{
    CClassicView view;
    view.Take({false, true, "ok\r", false});
    view.Take({false, false, "\nnext\r\n", false});
    // A CR LF split over two chunks is two line breaks, as two insertions showed it.
    EXPECT_EQ(view.Pending().insert, "ok\n\nnext\n");
    EXPECT_TRUE(view.Pending().scroll);
    view.Take({true, false, "", false});
    EXPECT_TRUE(view.Pending().clearBefore);
    EXPECT_FALSE(view.Pending().scroll) << "nothing left to scroll to";
    EXPECT_EQ(view.Pending().insert, "");
}

} // namespace

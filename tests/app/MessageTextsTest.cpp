#include "app/MessageTexts.h"

#include <gtest/gtest.h>

TEST(ShownMessageText, LineBreaksAndAmpersands)
{
    const std::pair<QString, QString> cases[] = {
        {"path.\rTracks", "path.\nTracks"}, {"playing && copying", "playing & copying"},
        {"plain", "plain"}};
    for (const auto &[written, shown] : cases)
        EXPECT_EQ(ShownMessageText(written), shown) << written.toStdString();
}

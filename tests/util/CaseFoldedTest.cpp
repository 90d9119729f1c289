#include "util/Utf8.h"

#include <QString>
#include <gtest/gtest.h>
#include <random>

namespace {
QString OneChar(char32_t c)
{
    if (c < 0x10000)
        return QString(QChar(static_cast<char16_t>(c)));
    const QChar pair[] = {QChar(QChar::highSurrogate(c)), QChar(QChar::lowSurrogate(c))};
    return QString(pair, 2);
}

std::string Folded(std::string_view utf8)
{
    std::string out = "kept ";
    AppendCaseFolded(out, utf8);
    return out.substr(5);
}
} // namespace

// Every character folds as QString::toCaseFolded folds it, alone and inside random texts, among
// them runs of "Ⱥ", whose folded form is a byte longer.
TEST(CaseFolded, FoldsLikeQString)
{
    std::vector<char32_t> all;
    for (char32_t c = 1; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const QString text = OneChar(c);
        ASSERT_EQ(Folded(text.toStdString()), text.toCaseFolded().toStdString()) << std::hex << uint32_t(c);
        all.push_back(c);
    }
    std::mt19937 random(5);
    for (int i = 0; i < 2000; ++i) {
        QString text;
        for (int n = random() % 12; n > 0; --n) {
            if (random() % 4 == 0)
                text += QString(static_cast<int>(random() % 10), QChar(u'Ⱥ'));
            text += OneChar(random() % 3 ? U"aZß\tΣİÉǅ"[random() % 8] : all[random() % all.size()]);
        }
        ASSERT_EQ(Folded(text.toStdString()), text.toCaseFolded().toStdString()) << text.toStdString();
    }
    // ASCII runs long enough to be lowered a word at a time: every byte in every place, among
    // the neighbours of the capitals.
    const std::string_view neighbours = "@AZ[`az{";
    for (int b = 1; b < 0x80; ++b) {
        for (size_t at = 0; at < 20; ++at) {
            std::string text;
            for (size_t k = 0; k < 20; ++k)
                text += neighbours[k % neighbours.size()];
            text[at] = static_cast<char>(b);
            ASSERT_EQ(Folded(text), QString::fromStdString(text).toCaseFolded().toStdString()) << text;
        }
    }
}

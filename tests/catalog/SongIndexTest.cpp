#include "catalog/SongIndex.h"

#include <QString>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <random>
#include <vector>

// Random adds, removes and look-ups against a plain map from the case-folded key to the record
// last added under it; many keys differ only in letter case, and the table grows and shrinks
// through its probe runs. Look-ups go by the key and by its upper case in UTF-8. Keys are cut
// at 255 characters: the long names are one key with a CD ID of 4 characters and two with 3.
TEST(SongIndex, AgreesWithAMapUnderRandomAddsAndRemoves)
{
    std::mt19937 random(7);
    const QString names[] = {"a.mp3", "A.MP3", "dir\\Été.mp3", "DIR\\éTÉ.mp3", "x", "X", "Straße", "STRASSE",
                             QString(250, 'n') + "1", QString(250, 'N') + "2", QString(130, QChar(0xE9))};
    TrackStore store;
    std::vector<TSong *> pool;
    for (int cd = 0; cd < 60; ++cd) {
        for (const QString &name : names) {
            auto song = std::make_unique<TSong>();
            const QString id = (cd % 2 ? "cd" : "CD") + QString::number(cd / 2);
            song->ParseLine(ShortStr::fromQString(id + "; 00:01; 1; a; b; c; x"));
            song->SetTexts("a", "b", "c", ShortStr::fromQString(name));
            pool.push_back(store.add(std::move(song)));
        }
    }
    auto foldedKey = [](const QString &key) { return ShortStr::fromQString(key).toQString().toCaseFolded(); };
    auto folded = [&](const TSong *s) { return foldedKey(s->CDKey().toQString()); };

    SongIndex index(store);
    std::map<QString, TSong *> reference;
    for (int step = 0; step < 20000; ++step) {
        TSong *song = pool[random() % pool.size()];
        switch (random() % 3) {
        case 0:
            index.add(song);
            reference[folded(song)] = song;
            break;
        case 1: {
            index.remove(song);
            auto it = reference.find(folded(song));
            if (it != reference.end() && it->second == song)
                reference.erase(it);
            break;
        }
        default: {
            const auto it = reference.find(folded(song));
            ASSERT_EQ(index.find(song->CDKey().toUtf8()), it == reference.end() ? nullptr : it->second) << "step " << step;
            const QString upper = song->CDKey().toQString().toUpper();
            const auto upperIt = reference.find(foldedKey(upper));
            ASSERT_EQ(index.find(upper.toStdString()), upperIt == reference.end() ? nullptr : upperIt->second)
                << "step " << step;
        }
        }
        ASSERT_EQ(index.count(), static_cast<int>(reference.size())) << "step " << step;
    }
    for (const TSong *song : pool)
        index.remove(song);
    EXPECT_EQ(index.count(), 0);
    EXPECT_EQ(index.find(pool[0]->CDKey().toUtf8()), nullptr);
}

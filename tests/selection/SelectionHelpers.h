#pragma once
// A catalog with a selection list built from named tracks, and the check of the SelNum rule:
// row i of the selection holds a track numbered i + 1, every other catalog track has 0, and no
// track is listed twice.

#include "app/Dialogs.h"
#include "catalog/Catalog.h"
#include "selection/Selection.h"
#include "support/ScriptedDialogs.h"
#include "util/ShortStrings.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <set>

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline ::testing::AssertionResult SelNumInvariant(const SongList &all, const SongList &sel)
{
    std::set<const TSong *> listed;
    for (int i = 0; i < sel.count(); ++i) {
        const TSong *t = sel.song(i);
        if (!listed.insert(t).second)
            return ::testing::AssertionFailure() << "row " << i << " lists a track twice";
        if (t->SelNum != i + 1)
            return ::testing::AssertionFailure() << "row " << i << " has SelNum " << t->SelNum;
        if (!sel.rowText(i).toQString().startsWith(IntToZeroPadded(i + 1, 3).toQString() + "\t"))
            return ::testing::AssertionFailure() << "row " << i << " shows " << sel.rowText(i);
        if (all.indexOf(t) < 0)
            return ::testing::AssertionFailure() << "row " << i << " is no catalog track";
    }
    for (const TSong *t : all.songs())
        if (!listed.count(t) && t->SelNum != 0)
            return ::testing::AssertionFailure() << t->Artist() << " is not listed but has SelNum " << t->SelNum;
    return ::testing::AssertionSuccess();
}

// Tracks are named by their Artist; the other texts derive from it: Album "Al" + name, Track
// "T" + name, file name + ".mp3", CD ID "CD1".
struct SelectionFixture : ::testing::Test {
    ScriptedDialogs dialogs;
    Catalog catalog{dialogs, "/nowhere", "ZEMLO"};
    Selection selection{catalog, dialogs};
    SongList &all = catalog.all();
    SongList &sel = selection.sel();

    TSong *addTrack(const QString &name, const QString &playTime = "01:00", int size = 100)
    {
        auto t = std::make_unique<TSong>();
        t->ParseLine(ShortStr::fromQString(QString("CD1; %1; %2; %3; Al%3; T%3; %3.mp3").arg(playTime).arg(size).arg(name)));
        return catalog.AddTrack(std::move(t));
    }
    void addTracks(const QStringList &names)
    {
        for (const QString &n : names)
            addTrack(n);
    }
    void selectInAll(const QStringList &names)
    {
        all.clearSelection();
        for (int i = 0; i < all.count(); ++i)
            all.setSelected(i, names.contains(all.song(i)->Artist().toQString()));
    }
    // Puts the named tracks into the selection list in this order, then forgets the questions
    // and the flag.
    void fillSelection(const QStringList &names)
    {
        selection.ClearSelection();
        for (const QString &n : names) {
            selectInAll({n});
            selection.selDragDrop(&all, sel.count());
        }
        all.clearSelection();
        selection.setSelModified(false);
        dialogs.asked.clear();
    }
    static QString names(const SongList &list)
    {
        QStringList out;
        for (const TSong *t : list.songs())
            out << t->Artist().toQString();
        return out.join(",");
    }
    ::testing::AssertionResult invariant() const { return SelNumInvariant(all, sel); }
};

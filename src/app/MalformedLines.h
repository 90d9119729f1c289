#pragma once
// Reports the malformed lines of one file that is being read: each of the first few in an
// information box of its own, the rest only counted and told in one box at the end, so that a
// file that is no catalog at all does not ask for one OK per line.

#include <QString>

class Dialogs;

class MalformedLines {
public:
    static constexpr int ShownLines = 10;

    explicit MalformedLines(Dialogs &dialogs) : dialogs_(dialogs) {}

    void report(const QString &line);
    // Tells how many lines were loaded without a box of their own, if any.
    void finish();

private:
    Dialogs &dialogs_;
    long long count_ = 0;
};

#pragma once
// "Copy to Disk": the selected tracks' files are copied into a chosen directory, CD by CD, with
// a conversion script beside them. A file already there is never replaced; a file that fails is
// reported by name at the end while the others are still copied.

#include <QString>
#include <QStringList>

struct Config;
class Dialogs;
class Selection;
class TrackFileLocator;

class CopyToDisk {
public:
    CopyToDisk(const Config &config, const Selection &selection, Dialogs &dialogs, const TrackFileLocator &locator)
        : config_(config), selection_(selection), dialogs_(dialogs), locator_(locator) {}

    // How many failed files the end message names; the rest are counted.
    static constexpr int NamedFailures = 20;

    struct Outcome {
        bool finished = true;  // false: the user stopped it (at the question for a CD, or Cancel)
        QStringList failed;    // files that could not be copied, each with the reason
    };

    // Asks for the script's name (its directory is the target), writes the script, copies and
    // tells how it went.
    void CopytoDisk1Click();
    // dir ends with a separator.
    Outcome CopySelectionFiles(const QString &dir);

private:
    const Config &config_;
    const Selection &selection_;
    Dialogs &dialogs_;
    const TrackFileLocator &locator_;
};

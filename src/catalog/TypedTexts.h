#pragma once
// Checks of texts that the user types for the catalog, so that nothing typed makes a catalog
// line that reads back differently. Each returns the message that refuses the text, or an empty
// text when it can be stored.

#include "app/Dialogs.h"

#include <QString>

// The Artist, Album and Track of the Edit Track dialog.
QString CheckTrackTexts(const TrackTexts &texts);
// A CD ID as the import takes it (blanks trimmed, at most 20 characters).
QString CheckCDID(const QString &cdid);

#include "catalog/TypedTexts.h"

#include "catalog/CatalogLineFields.h"
#include "util/ShortStr.h"

QString CheckTrackTexts(const TrackTexts &texts)
{
    for (const QString *text : {&texts.artist, &texts.album, &texts.track})
        if (!FitsLaterField(text->toStdString()))
            return QStringLiteral("An Artist, Album or Track can't hold \";\" or a line break.");
    return QString();
}

QString CheckCDID(const QString &cdid)
{
    if (!FieldText(ShortStr::fromQString(cdid).chars(), true, CDIDLen))
        return "The CD ID " + cdid + " can't be stored: its \";\" or line break would split the catalog line.";
    return QString();
}

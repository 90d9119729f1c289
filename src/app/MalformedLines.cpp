#include "app/MalformedLines.h"

#include "app/Dialogs.h"

void MalformedLines::report(const QString &line)
{
    if (++count_ <= ShownLines)
        dialogs_.ShowInformation(line);
}

void MalformedLines::finish()
{
    if (count_ > ShownLines)
        dialogs_.ShowInformation(QString("%1 more malformed lines were loaded without a message of their own.")
                                     .arg(count_ - ShownLines));
    count_ = 0;
}

#include "catalog/CatalogSearch.h"

#include "app/Dialogs.h"
#include "catalog/SongList.h"
#include "util/ShortStrings.h"

#include <algorithm>
#include <string>

namespace {
constexpr int RowsAboveMatch = 10;
} // namespace

CatalogSearch::CatalogSearch(SongList &all, Dialogs &dialogs) : all_(all), dialogs_(dialogs) {}

int CatalogSearch::findFrom(int startRow, const QString &text) const
{
    const std::string needle = UpperCaseShort(ShortStr::fromQString(text)).toUtf8();
    if (needle.empty())
        return -1;
    // Matched in UTF-8 in one reused buffer: a search runs over a million rows. Upper-casing
    // a to z is the same on bytes, and a UTF-8 text found in UTF-8 starts and ends on whole
    // characters.
    std::string row;
    for (int i = std::max(0, startRow); i < all_.count(); ++i) {
        all_.song(i)->CatalogRowUtf8(row);
        for (char &c : row)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        if (row.find(needle) != std::string::npos)
            return i;
    }
    return -1;
}

void CatalogSearch::FindBtnClick()
{
    QString text = searchText_;
    if (!dialogs_.InputQuery("Find", "Enter string to search :", text))
        return;
    searchText_ = text;
    const int current = all_.currentRow();
    const int found = findFrom(current + 1, searchText_);
    if (found < 0) {
        dialogs_.ShowInformation("Not Found !");
        return;
    }
    if (current >= 0)
        all_.setSelected(current, false);
    all_.setSelected(found, true);
    all_.setCurrentRow(found);
    all_.setTopRow(std::max(0, found - RowsAboveMatch));
}

bool CatalogSearch::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key != Qt::Key_F || modifiers != Qt::ControlModifier)
        return false;
    FindBtnClick();
    return true;
}

#include "catalog/CatalogSearch.h"

#include "app/Dialogs.h"
#include "catalog/CatalogRowPieces.h"
#include "catalog/SongList.h"
#include "util/ByteWords.h"
#include "util/ShortStrings.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

namespace {
constexpr int RowsAboveMatch = 10;
// Below this many rows in each half a second thread costs more than it saves.
constexpr size_t MinRowsPerPart = 50000;

// Records lie all over the heap, and a scan spends most of its time waiting for them: asks for
// the record some rows ahead, and for the texts and the CD ID of the record it asked for before.
void Prefetch(const std::vector<TSong *> &songs, size_t row)
{
    constexpr size_t Ahead = 8;
    if (row + 2 * Ahead < songs.size())
        __builtin_prefetch(songs[row + 2 * Ahead]);
    if (row + Ahead < songs.size()) {
        const TSong &song = *songs[row + Ahead];
        __builtin_prefetch(song.ArtistUtf8().data());
        __builtin_prefetch(&song.CDIDUtf8());
    }
}

// Roughly how often a byte turns up in catalog texts (lower is rarer): rows are filtered on the
// needle's rarest byte.
int Commonness(unsigned char b)
{
    static constexpr std::string_view LettersRarestFirst = "ZQJXKVBPYGFWMUCLDRHSNIOATE";
    if (b >= 'A' && b <= 'Z')
        return 10 + static_cast<int>(LettersRarestFirst.find(static_cast<char>(b)));
    if ((b >= '0' && b <= '9') || b == ':' || b == 0)
        return 100;  // every play time has digits and a colon
    return b >= 0x80 ? 40 : 5;
}

// The needle's rarest byte, found as a letter in either case: a row that holds the needle holds
// it, mostly few others do. The joints of a row (tab, " - ") are never that byte, so the record's
// texts alone tell; a needle made only of joint characters has none and passes every row.
class RowFilter {
public:
    explicit RowFilter(std::string_view needle)
    {
        int best = 0;
        for (char c : needle) {
            const auto b = static_cast<unsigned char>(c);
            if (b == '\t' || b == ' ' || b == '-')
                continue;
            if (!byte_ || Commonness(b) < best) {
                byte_ = b;
                best = Commonness(b);
            }
        }
        // The needle is upper-cased: a letter also matches its lower case, which differs only
        // by 0x20, so both compare equal once that bit is set.
        const bool letter = byte_ >= 'A' && byte_ <= 'Z';
        caseBit_ = letter ? 0x20 : 0;
        pattern_ = letter ? byte_ | 0x20 : byte_;
    }

    // Whether the filter lets every row pass.
    bool passesAll() const { return !byte_; }

    // Eight bytes at a time: a byte of the word equals the pattern's where the xor has a zero
    // byte. A text of eight bytes or more ends with a word that overlaps the one before.
    bool holdsByte(std::string_view text) const
    {
        const size_t size = text.size();
        if (size < 8) {
            for (char c : text)
                if ((static_cast<unsigned char>(c) | caseBit_) == pattern_)
                    return true;
            return false;
        }
        for (size_t i = 0; i + 8 < size; i += 8)
            if (wordHolds(ByteWords::At(text.data() + i)))
                return true;
        return wordHolds(ByteWords::At(text.data() + size - 8));
    }

private:
    bool wordHolds(uint64_t w) const
    {
        return ByteWords::BytesEqual(w | caseBit_ * ByteWords::EveryByte, pattern_);
    }

    unsigned char byte_ = 0;
    unsigned char caseBit_ = 0;
    unsigned char pattern_ = 0;
};

// The tracks of one CD mostly lie together and share its interned CD ID: the answer for the
// last one is kept, and the CD ID itself, often far from the record, is read once for them.
struct LastCDID {
    const std::string *text = nullptr;
    bool holds = false;
};

// Whether the filter's byte is in the record's texts.
bool TextsHold(const TSong &song, const RowFilter &filter, LastCDID &last)
{
    const CatalogRowPieces pieces(song);
    for (int k : {0, 2, 4, 6})
        if (filter.holdsByte(pieces.piece(k)))
            return true;
    const std::string &cdid = song.CDIDUtf8();
    if (&cdid != last.text)
        last = {&cdid, filter.holdsByte(cdid)};
    return last.holds;
}

// The first row in [begin, end) that holds the needle, -1 for none or when `stop` is set.
int FirstMatch(const std::vector<TSong *> &songs, size_t begin, size_t end, const std::string &needle,
               const RowFilter &filter, const std::atomic<bool> *stop)
{
    // Most rows are passed over by the filter on their texts in place; the rest are built, in
    // one reused buffer, and matched in UTF-8. Upper-casing a to z is the same on bytes, and a
    // UTF-8 text found in UTF-8 starts and ends on whole characters.
    std::string row;
    LastCDID cdid;
    for (size_t i = begin; i < end; ++i) {
        if (stop && i % 4096 == 0 && *stop)
            return -1;
        Prefetch(songs, i);
        if (!filter.passesAll() && !TextsHold(*songs[i], filter, cdid))
            continue;
        songs[i]->CatalogRowUtf8(row);
        for (char &c : row)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        if (row.find(needle) != std::string::npos)
            return static_cast<int>(i);
    }
    return -1;
}
} // namespace

CatalogSearch::CatalogSearch(SongList &all, Dialogs &dialogs) : all_(all), dialogs_(dialogs) {}

int CatalogSearch::findFrom(int startRow, const QString &text) const
{
    const std::string needle = UpperCaseShort(ShortStr::fromQString(text)).toUtf8();
    if (needle.empty())
        return -1;
    const RowFilter filter(needle);
    const std::vector<TSong *> &songs = all_.songs();
    const size_t first = std::max(0, startRow);
    if (first + 2 * MinRowsPerPart > songs.size())
        return FirstMatch(songs, first, songs.size(), needle, filter, nullptr);
    // A large search is split in two halves, one on another core; a match in the upper half
    // counts only when the lower one has none, and the upper half stops once it has.
    const size_t middle = first + (songs.size() - first) / 2;
    std::atomic<bool> lowerFound{false};
    int upper = -1;
    std::exception_ptr upperFailure;
    auto searchUpper = [&] {
        try {
            upper = FirstMatch(songs, middle, songs.size(), needle, filter, &lowerFound);
        } catch (...) {
            upperFailure = std::current_exception();
        }
    };
    std::thread helper;
    try {
        helper = std::thread(searchUpper);
    } catch (const std::system_error &) {
        return FirstMatch(songs, first, songs.size(), needle, filter, nullptr);  // no thread to be had
    }
    int lower = -1;
    try {
        lower = FirstMatch(songs, first, middle, needle, filter, nullptr);
    } catch (...) {
        lowerFound = true;
        helper.join();
        throw;
    }
    lowerFound = lower >= 0;
    helper.join();
    if (upperFailure && lower < 0)
        std::rethrow_exception(upperFailure);
    return lower >= 0 ? lower : upper;
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

#include "import/ui/TImportTracks.h"

#include "widgets/Scale.h"
#include "widgets/THeader.h"
#include "widgets/TTabListBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <iterator>

namespace {
void ShowItems(QComboBox *box, const std::vector<ShortStr> &items, const ShortStr &text)
{
    box->clear();
    for (const ShortStr &item : items)
        box->addItem(item.toQString());
    box->setEditText(text.toQString());
}

// Only a changed text is set again, so that the cursor stays where the user left it.
void ShowText(QLineEdit *edit, const ShortStr &text)
{
    if (edit->text() != text.toQString())
        edit->setText(text.toQString());
}
} // namespace

TImportTracks::TImportTracks(ImportTracksForm &form, const HandlerGuard &guard, QWidget *parent)
    : FormView(guard, parent), form_(form)
{
    const QScreen *where = screen();
    auto px = [where](int design) { return Scaled(design, where); };
    setWindowTitle(form_.Caption);
    setFont(DesignFont(16, where));

    Header1 = new THeader(this);
    for (auto [title, width] : {std::pair{"FileName", 321}, {"Artist", 140}, {"Album", 178}, {"Track", 50}})
        Header1->addSection(title, px(width));
    Header1->setGeometry(px(8), px(8), px(713), px(25));
    Tracks = new TTabListBox(this);
    Tracks->setGeometry(px(8), px(33), px(713), px(380));
    Tracks->setModel(&form_.Tracks);
    // The form keeps its rows in step with the list's order, so the list is never re-sorted.
    Tracks->setRightClickSortOff(true);
    Tracks->setHeader(Header1);
    Tracks->AdjustToFont();

    Memo1 = new QPlainTextEdit(this);
    Memo1->setPlainText("Char         Skip anything until after this char\n"
                        "Artist        Artist Name\n"
                        "Album       Album Name\n"
                        "Track        Track Name\n"
                        "\n"
                        "Sample :   -Artist-Album-Track\n"
                        "(KLV-Blue Fox-Night Songs-Rain.mp3)");
    Memo1->setReadOnly(true);
    Memo1->setEnabled(false);
    Memo1->setGeometry(px(733), px(8), px(270), px(190));

    QPushButton **buttons[] = {&TranslateBtn, &FormatSelBtn, &ReplaceBtn, &OkBtn, &SkipBtn, &CancelBtn};
    const char *captions[] = {"Trans. All", "Trans. Selected", "Replace Chars", "Add", "Skip", "Stop"};
    for (int k = 0; k < 6; ++k) {
        *buttons[k] = new QPushButton(captions[k], this);
        (*buttons[k])->setGeometry(px(733 + 140 * (k / 3)), px(210 + 52 * (k % 3)), px(130), px(41));
    }

    Format = new QComboBox(this);
    PathFormat = new QComboBox(this);
    for (QComboBox *box : {Format, PathFormat}) {
        box->setEditable(true);
        // The form adds a format to the items when it translates with it.
        box->setInsertPolicy(QComboBox::NoInsert);
    }
    ForceArtist = new QLineEdit(this);
    ForceAlbum = new QLineEdit(this);
    QWidget *fields[] = {Format, PathFormat, ForceArtist, ForceAlbum};
    QLabel **labels[] = {&FormatLabel, &PathFormatLabel, &ForceArtistLabel, &ForceAlbumLabel};
    const char *labelCaptions[] = {"FileName Format", "Path Format", "Force Artist", "Force Album"};
    for (int k = 0; k < 4; ++k) {
        const int left = 8 + 360 * (k % 2), top = 424 + 66 * (k / 2);
        fields[k]->setGeometry(px(left), px(top + 22), px(k % 2 ? 361 : 340), px(32));
        *labels[k] = new QLabel(labelCaptions[k], this);
        (*labels[k])->setGeometry(px(left), px(top), px(300), px(22));
        (*labels[k])->setBuddy(fields[k]);
    }
    UseID3Tags = new QCheckBox("&Use ID3 tags", this);
    UseID3Tags->setToolTip("Artist, Album and Track from the files' ID3 tags where they hold them, "
                           "from the formats elsewhere; Force Artist and Force Album still win");
    UseID3Tags->setGeometry(px(733), px(446), px(270), px(32));

    const std::pair<QObject *, const char *> names[] = {
        {Header1, "Header1"}, {Tracks, "Tracks"}, {Memo1, "Memo1"}, {Format, "Format"},
        {PathFormat, "PathFormat"}, {ForceArtist, "ForceArtist"}, {ForceAlbum, "ForceAlbum"},
        {TranslateBtn, "TranslateBtn"}, {FormatSelBtn, "FormatSelBtn"}, {ReplaceBtn, "ReplaceBtn"},
        {OkBtn, "OkBtn"}, {SkipBtn, "SkipBtn"}, {CancelBtn, "CancelBtn"}, {UseID3Tags, "UseID3Tags"}};
    for (auto [object, name] : names)
        object->setObjectName(name);

    ImportTracksForm &f = form_;
    const std::pair<QPushButton *, std::function<void()>> handlers[] = {
        {TranslateBtn, [&f] { f.TranslateBtnClick(true); }}, {FormatSelBtn, [&f] { f.FormatSelBtnClick(); }},
        {ReplaceBtn, [&f] { f.ReplaceBtnClick(); }},          {OkBtn, [&f] { f.OkBtnClick(); }},
        {SkipBtn, [&f] { f.SkipBtnClick(); }},                {CancelBtn, [&f] { f.CancelBtnClick(); }}};
    for (const auto &[button, handler] : handlers)
        connect(button, &QPushButton::clicked, this, [this, handler = handler] { run(handler); });
    connect(UseID3Tags, &QCheckBox::clicked, this, [this, &f] { run([&f] { f.TranslateBtnClick(true); }); });
    connect(Tracks, &TTabListBox::rowDoubleClicked, this, [this, &f] { run([&f] { f.TracksDblClick(); }); });
    form_.OnClose = [this] { done(form_.Choice() == ImportTracksForm::AddChoice ? Accepted : Rejected); };

    QWidget *order[] = {Format, PathFormat, ForceArtist, ForceAlbum, TranslateBtn, FormatSelBtn,
                        ReplaceBtn, OkBtn, SkipBtn, CancelBtn, UseID3Tags, Tracks};
    for (size_t k = 0; k + 1 < std::size(order); ++k)
        setTabOrder(order[k], order[k + 1]);
    showTexts();
    Format->setFocus();

    setFixedSize(px(1011), px(562));
    if (where)
        move(where->geometry().center() - rect().center());
}

TImportTracks::~TImportTracks()
{
    form_.OnClose = nullptr;
}

void TImportTracks::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        run([this] { form_.FormActivate(); });
    }
}

void TImportTracks::reject()
{
    if (!form_.Closed())
        run([this] { form_.CancelBtnClick(); });
}

void TImportTracks::run(const std::function<void()> &handler)
{
    guarded([this, &handler] {
        takeTexts();
        handler();
    });
    // Also after a handler that failed: the controls show what the form holds now.
    showTexts();
}

void TImportTracks::takeTexts()
{
    form_.Format = ShortStr::fromQString(Format->currentText());
    form_.PathFormat = ShortStr::fromQString(PathFormat->currentText());
    form_.ForceArtist = ShortStr::fromQString(ForceArtist->text());
    form_.ForceAlbum = ShortStr::fromQString(ForceAlbum->text());
    form_.UseID3Tags = UseID3Tags->isChecked();
}

void TImportTracks::showTexts()
{
    ShowItems(Format, form_.FormatItems, form_.Format);
    ShowItems(PathFormat, form_.PathFormatItems, form_.PathFormat);
    ShowText(ForceArtist, form_.ForceArtist);
    ShowText(ForceAlbum, form_.ForceAlbum);
    UseID3Tags->setChecked(form_.UseID3Tags);
}

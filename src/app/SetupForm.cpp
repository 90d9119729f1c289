#include "app/SetupForm.h"

#include "app/Dialogs.h"
#include "app/SelDirForm.h"
#include "util/CommandLine.h"
#include "util/LongPaths.h"

#include <QProcess>

SetupForm::SetupForm(Dialogs &dialogs, MountedVolumes &volumes, const Config &config)
    : DialogForm(dialogs, mrCancel), Player(config.Player.toQString()), CopyToHDPath(config.CopyPath.toQString()),
      PlayFromHDPath(config.PlayPath.toQString()), volumes_(volumes)
{
    for (int i = 1; i <= config.CDPathCount; ++i)
        CDPathList.append(config.CDPaths[i]);
}

void SetupForm::FocusPathList()
{
    if (OnFocusPathList)
        OnFocusPathList();
}

void SetupForm::AddPathClick()
{
    if (CDPathList.count() >= MaxCDPaths) {
        dialogs_.ShowInformation("The path list is full: it holds at most " + QString::number(MaxCDPaths)
                                 + " paths. Delete or change one.");
        return;
    }
    QString path;
    if (!SelectDir(dialogs_, volumes_, path))
        return;
    CDPathList.append(ShortStr::fromQString(path));
    CDPathList.setCurrentRow(CDPathList.count() - 1);
    FocusPathList();
}

void SetupForm::ChangePathClick()
{
    const int row = CDPathList.currentRow();
    if (row < 0)
        return;
    QString path = CDPathList.rowText(row).left(ConfigValueLen).toQString();
    if (!SelectDir(dialogs_, volumes_, path))
        return;
    CDPathList.setRowText(row, ShortStr::fromQString(path));
    CDPathList.setCurrentRow(row);
    FocusPathList();
}

void SetupForm::DelPathClick()
{
    const int row = CDPathList.currentRow();
    if (row < 0)
        return;
    const QString text = "Remove " + CDPathList.rowText(row).left(ConfigValueLen).toQString() + " from the Path List ?";
    if (dialogs_.MessageBox(MsgDlgType::Confirmation, text, ButtonSet({mbYes, mbNo})) == mrYes)
        CDPathList.removeAt(row);
    const int before = row > 0 ? row - 1 : 0;
    if (before < CDPathList.count())
        CDPathList.setCurrentRow(before);
    FocusPathList();
}

void SetupForm::SpeedButton1Click()
{
    const QString program = QProcess::splitCommand(Player).value(0);
    const QString chosen = dialogs_.OpenFileName("Select External Player", "All files (*)", QString(),
                                                 DirPartOf(program));
    if (!chosen.isEmpty())
        Player = QuotedCommandArgument(chosen);
}

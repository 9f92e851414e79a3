#include "gui/QtFileDialogs.h"

#include "gui/Desktop.h"
#include "messages/StatusTexts.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace zelko6 {

static std::optional<QString> run(QWidget *owner, const FileDialogRequest &request, const QString &filter,
                                  QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(owner, QString(), request.initialFolder, filter);
    dialog.setObjectName(QStringLiteral("dlgCommonDialog"));
    dialog.setAcceptMode(mode);
    // A name typed that does not exist is the file command's to refuse, in the program's words.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // The program asks about overwriting itself, in its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    choosePlatformDialog(dialog);
    if (!request.initialName.isEmpty())
        dialog.selectFile(request.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtFileDialogs::openFile(const FileDialogRequest &request)
{
    return run(
        owner_, request,
        // Intel HEX first, as always; the other formats the program reads are offered beside it.
        QCoreApplication::translate("zelko6::QtFileDialogs",
                                    "Hexファイル (*.HEX);;S-recordファイル (*.S19 *.S28 *.S37 *.SREC *.MOT);;"
                                    "バイナリファイル (*.BIN);;全てのファイル (*.*)"),
        QFileDialog::AcceptOpen);
}

std::optional<QString> QtFileDialogs::saveFile(const FileDialogRequest &request)
{
    return run(
        owner_, request,
        QCoreApplication::translate("zelko6::QtFileDialogs", "Hexファイル (*.hex);;全てのファイル (*.*)"),
        QFileDialog::AcceptSave);
}

bool QtFileDialogs::confirmOverwrite(const QString &)
{
    return boxes_.show(BoxIcon::Question, BoxButtons::OkCancel, StatusTexts::overwriteTitle(),
                       StatusTexts::overwriteQuestion()) == BoxAnswer::Ok;
}

} // namespace zelko6

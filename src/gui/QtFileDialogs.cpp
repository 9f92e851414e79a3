#include "gui/QtFileDialogs.h"

#include "core/files/FileFormats.h"
#include "gui/Desktop.h"
#include "messages/StatusTexts.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace zelko6 {

// "Hexファイル (*.HEX)": a format's filter with its suffixes as patterns.
static QString filterOf(const FileFormat &format, qsizetype suffixes, bool upperCase)
{
    QStringList patterns;
    for (const QString &suffix : format.suffixes.first(suffixes))
        patterns << QStringLiteral("*.") + (upperCase ? suffix.toUpper() : suffix);
    return QCoreApplication::translate("zelko6::QtFileDialogs", format.filterName) + QStringLiteral(" (") +
           patterns.join(u' ') + u')';
}

static QString allFilesFilter()
{
    return QCoreApplication::translate("zelko6::QtFileDialogs", "全てのファイル (*.*)");
}

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
    if (!request.initialName.isEmpty())
        dialog.selectFile(request.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtFileDialogs::openFile(const FileDialogRequest &request)
{
    // Intel HEX first, as always; the other formats the program reads are offered beside it.
    QStringList filters;
    for (const FileFormat &format : fileFormats())
        filters << filterOf(format, format.suffixesInDialog, true);
    return run(owner_, request, (filters << allFilesFilter()).join(QStringLiteral(";;")),
               QFileDialog::AcceptOpen);
}

std::optional<QString> QtFileDialogs::saveFile(const FileDialogRequest &request)
{
    // Only the format a name without a suffix is saved in, as it has always been offered.
    const QString hex = filterOf(fileFormat(kDefaultImageFormat), 1, false);
    return run(owner_, request, hex + QStringLiteral(";;") + allFilesFilter(), QFileDialog::AcceptSave);
}

bool QtFileDialogs::confirmOverwrite(const QString &)
{
    return boxes_.show(BoxIcon::Question, BoxButtons::OkCancel, StatusTexts::overwriteTitle(),
                       StatusTexts::overwriteQuestion()) == BoxAnswer::Ok;
}

} // namespace zelko6

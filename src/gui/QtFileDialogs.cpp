#include "gui/QtFileDialogs.h"

#include <QFileDialog>

namespace zelko6 {

static std::optional<QString> run(QWidget *owner, const FileDialogRequest &request,
                                  QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(owner, QString(), request.initialFolder, request.filter);
    dialog.setObjectName(QStringLiteral("dlgCommonDialog"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
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
    return run(owner_, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtFileDialogs::saveFile(const FileDialogRequest &request)
{
    return run(owner_, request, QFileDialog::AcceptSave);
}

} // namespace zelko6

#include "platform/ui/file_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace platform {

std::optional<std::string> QtFileDialog::choose(const FileDialogRequest& request) {
    QString start = QString::fromStdString(request.folder);
    if (!request.fileName.empty()) start = QDir(start).filePath(QString::fromStdString(request.fileName));
    const QString title = QString::fromStdString(request.title);
    const QString filter = QString::fromStdString(request.filter);
    QWidget* parent = QApplication::activeWindow();

    // Qt's own dialog speaks the program's Japanese; a desktop's dialog would speak the desktop's language.
    QFileDialog::Options options = QFileDialog::DontUseNativeDialog;
    QString chosen;
    if (request.save) {
        // The callers that care ask their own question before a name that exists is taken.
        if (!request.confirmOverwrite) options |= QFileDialog::DontConfirmOverwrite;
        chosen = QFileDialog::getSaveFileName(parent, title, start, filter, nullptr, options);
    } else {
        // Nothing requires the chosen file to exist: the open command makes a name typed without its
        // extension whole, and reports a name that still names no file.
        QFileDialog dialog(parent, title, start, filter);
        dialog.setOptions(options);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().constFirst();
    }
    if (chosen.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(chosen).toStdString();
}

} // namespace platform

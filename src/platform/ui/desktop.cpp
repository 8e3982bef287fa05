#include "platform/ui/desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace platform {

bool QtDesktop::open(const std::string& pathOrUrl) {
    const QString text = QString::fromStdString(pathOrUrl);
    // A path that exists is a file even when it looks like an address ("C:" or "a:b").
    const QUrl url =
        QFileInfo::exists(text) ? QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath()) : QUrl::fromUserInput(text);
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool QtDesktop::start(const std::string& program, const std::vector<std::string>& arguments) {
    QStringList list;
    for (const auto& argument : arguments)
        list << QString::fromStdString(argument);
    return QProcess::startDetached(QString::fromStdString(program), list);
}

} // namespace platform

#include "platform/ui/registry.h"

#include <QStandardPaths>
#include <QString>

namespace platform {

namespace {

QString normalisedKey(const std::string& key) {
    QString text = QString::fromStdString(key).replace('/', '\\').toUpper();
    for (const char* root : {"HKEY_LOCAL_MACHINE\\", "HKLM\\"})
        if (text.startsWith(QLatin1String(root))) text.remove(0, int(qstrlen(root)));
    while (text.endsWith('\\'))
        text.chop(1);
    return text;
}

} // namespace

std::optional<std::string> LocalRegistry::GetKeyValue(const std::string& key, const std::string& valueName) {
    const bool systemInformation =
        normalisedKey(key) == normalisedKey(SystemInformationKey) &&
        QString::fromStdString(valueName).compare(QLatin1String(SystemInformationValue), Qt::CaseInsensitive) == 0;
    if (!systemInformation) return std::nullopt;
    return findSystemInformationTool();
}

std::optional<std::string> findSystemInformationTool() {
    // Most specific first: a hardware report before a task manager.
    for (const char* name :
         {"hardinfo", "hardinfo2", "lshw-gtk", "gnome-system-monitor", "ksysguard", "xfce4-taskmanager"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty()) return path.toStdString();
    }
    return std::nullopt;
}

} // namespace platform

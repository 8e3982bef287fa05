#include "platform/ui/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace platform {

QTranslator* installQtJapanese(QCoreApplication& application) {
    auto translator = std::make_unique<QTranslator>(&application);
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    application.installTranslator(translator.get());
    return translator.release();
}

} // namespace platform

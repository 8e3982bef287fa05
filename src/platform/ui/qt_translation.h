// Qt's own texts in Japanese: the buttons, labels and columns of the standard dialogs (open, save and the
// rest), from the translation that comes with Qt.
#pragma once

class QCoreApplication;
class QTranslator;

namespace platform {

// Installs Qt's Japanese translation into the application; the translator it returns belongs to the
// application. Nothing is installed, and nullptr returned, when the translation is not on the machine:
// the dialogs then speak English.
QTranslator* installQtJapanese(QCoreApplication& application);

} // namespace platform

// The real message box: modal over the active window, titled with the program's name, with
// Japanese button texts.
#pragma once

#include "platform/services.h"

namespace platform {

class QtMessageBox : public MessageBoxService {
public:
    Answer show(const std::string& text, Buttons buttons = Buttons::Ok, bool defaultSecond = false) override;
};

} // namespace platform

// The application object. Every window event already runs inside guardEvent; this is the last
// net for a database failure raised where no handler expected one, so that it never ends the program.
#pragma once

#include "data/program_state.h"

#include <QApplication>

namespace shell {

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    void setState(data::ProgramState* state) { state_ = state; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    data::ProgramState* state_ = nullptr;
};

} // namespace shell

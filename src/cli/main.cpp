#include "cli/clicommands.h"

#include <QString>
#include <QtGlobal>

#include <iostream>

namespace {

// Qt's warnings (a missing XDG_RUNTIME_DIR, the offscreen platform's notes)
// say nothing about the command's result; the tool reports its own failures.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "orvina-cli: " << message.toStdString() << '\n';
}

}  // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    qInstallMessageHandler(QuietMessages);
    return RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}

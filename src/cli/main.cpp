// orvalis-cli: the registry and firms without a window, for scripts, servers and tests.
#include "CommandLine.h"
#include "Commands.h"

#include "engine/Engine.h"
#include "engine/Errors.h"
#include "registry/TFD.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QList<cli::CommandSpec> AllCommands()
{
    return cli::FirmCommands() + cli::ReportCommands() + cli::VatCommands() + cli::ClosingCommands();
}

// Reports measure text with the fonts the windows use; no display is needed for that.
std::unique_ptr<QCoreApplication> MakeApplication(int &argc, char **argv, bool fonts)
{
    if (!fonts)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + u"/runtime-"_s + QString::number(getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}

int Run(const cli::ParsedLine &line, QTextStream &out)
{
    const QString dir = ResolveSystemDataDir(line.dataDir, QCoreApplication::applicationDirPath());
    if (!line.command->createsRegistry && !TFD::ExistsIn(dir))
        throw MyException(u"Няма регистър на фирмите в „"_s + dir + u"“. Създайте го с orvalis-cli init."_s);
    TFD fd;
    fd.Open(dir);
    cli::Context context{line, fd, out};
    return line.command->run(context);
}

}  // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QList<cli::CommandSpec> commands = AllCommands();
    QTextStream out(stdout);
    QTextStream err(stderr);
    cli::ParsedLine line;
    try {
        line = cli::Parse(arguments, commands);
    } catch (const cli::UsageError &e) {
        err << e.text() << Qt::endl << cli::UsageText(commands);
        return 2;
    }
    if (line.help) {
        out << cli::UsageText(commands);
        return 0;
    }
    const auto app = MakeApplication(argc, argv, line.command->needsFonts);
    QCoreApplication::setApplicationName(u"Orvalis"_s);
    try {
        const int code = Run(line, out);
        // What a command prints may be its whole answer (a firm's number, an account's totals):
        // output that could not be written is a failure, whatever the command did.
        out.flush();
        if (out.status() != QTextStream::Ok || std::fflush(stdout) != 0 || std::ferror(stdout)) {
            err << u"Изходът на командата не е записан."_s << Qt::endl;
            return 1;
        }
        return code;
    } catch (const std::exception &e) {
        err << ErrorHookText(e).replace(u'\r', u'\n').trimmed() << Qt::endl;
        return 1;
    }
}

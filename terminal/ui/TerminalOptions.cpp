#include "TerminalOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

constexpr int kBadUsage = 2;

// Qt's own options, taken by the application object after the command line has been read.
const char* const kQtValueOptions[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "qmljsdebugger"};
const char* const kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

std::string FamilyBaudRate(const std::string& family)
{
    return family == "Quorin" ? "9600" : "115200";
}

CTerminalCommandLine Ending(int status, QString output, bool toStandardError)
{
    CTerminalCommandLine commandLine;
    commandLine.exitStatus = status;
    commandLine.output = std::move(output);
    commandLine.toStandardError = toStandardError;
    return commandLine;
}

} // namespace

CTerminalCommandLine ParseTerminalCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    // Qt's options are single-dash words, such as -platform offscreen.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "A terminal for the Zelnar and Quorin laser distance meters on a serial port."));
    // Qt's own help option would offer Qt's options too, which are not shown here.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show the options and end."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and end."));
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Connect to the device at PATH (/dev/ttyUSB0, COM1, ...) at once, without "
                       "the COM Port Configuration dialog."),
        QStringLiteral("PATH"));
    const QCommandLineOption family(
        QStringLiteral("family"),
        QStringLiteral("The device family: zelnar or quorin (default: the last "
                       "connection's)."),
        QStringLiteral("FAMILY"));
    const QCommandLineOption baud(
        QStringLiteral("baud"),
        QStringLiteral("The baud rate (default: the last connection's, or the family's: 115200 "
                       "for Zelnar, 9600 for Quorin)."),
        QStringLiteral("N"));
    const QCommandLineOption reset(QStringLiteral("reset-settings"),
                                   QStringLiteral("Forget the remembered settings and start from "
                                                  "the defaults."));
    parser.addOptions({port, family, baud, reset, help, version});
    for (const char* name : kQtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), {}, QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    // The parser takes the program's name from the application object, which is not made yet.
    QString usage = parser.helpText();
    usage.replace(0, usage.indexOf(QLatin1Char('\n')),
                  QStringLiteral("Usage: telvan-terminal [options]"));
    const auto bad = [&](const QString& line) {
        return Ending(kBadUsage,
                      QStringLiteral("telvan-terminal: ") + line + QLatin1Char('\n') + usage, true);
    };
    if (!parser.parse(arguments))
        return bad(parser.errorText());
    if (parser.isSet(help))
        return Ending(0, usage, false);
    if (parser.isSet(version))
        return Ending(
            0, QStringLiteral("telvan-terminal %1\n").arg(QCoreApplication::applicationVersion()),
            false);
    if (!parser.positionalArguments().isEmpty())
        return bad(
            QStringLiteral("unexpected argument '%1'.").arg(parser.positionalArguments().front()));

    CTerminalCommandLine commandLine;
    CTerminalOptions& options = commandLine.options;
    if (parser.isSet(port)) {
        const QString path = parser.value(port).trimmed();
        if (path.isEmpty())
            return bad(QStringLiteral("--port needs the path of a serial port."));
        options.port = path.toStdString();
    }
    if (parser.isSet(family)) {
        const QString name = parser.value(family).toLower();
        if (name != QLatin1String("zelnar") && name != QLatin1String("quorin"))
            return bad(QStringLiteral("invalid value '%1' for --family: zelnar or quorin.")
                           .arg(parser.value(family)));
        options.family = name == QLatin1String("zelnar") ? "Zelnar" : "Quorin";
    }
    if (parser.isSet(baud)) {
        bool ok = false;
        const int rate = parser.value(baud).toInt(&ok);
        if (!ok || rate <= 0)
            return bad(QStringLiteral("invalid value '%1' for --baud: a baud rate such as 115200.")
                           .arg(parser.value(baud)));
        options.baudRate = rate;
    }
    options.resetSettings = parser.isSet(reset);
    return commandLine;
}

CPortSettings StartSettings(const CTerminalOptions& options, CPortSettings remembered)
{
    if (options.family && *options.family != remembered.device) {
        remembered.device = *options.family;
        remembered.baudRate = FamilyBaudRate(remembered.device);
    }
    if (options.baudRate)
        remembered.baudRate = std::to_string(*options.baudRate);
    if (options.port)
        remembered.comPort = *options.port;
    return remembered;
}

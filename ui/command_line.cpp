#include "ui/command_line.h"

#include <QCommandLineParser>

#include <cerrno>
#include <cstring>
#include <utility>

namespace kurvix::ui {
namespace {

// The options QGuiApplication and QApplication take for themselves.
const char* const kQtOptionsWithValue[] = {"platform",
                                           "platformpluginpath",
                                           "platformtheme",
                                           "plugin",
                                           "qwindowgeometry",
                                           "qwindowicon",
                                           "qwindowtitle",
                                           "geometry",
                                           "icon",
                                           "title",
                                           "session",
                                           "display",
                                           "name",
                                           "style",
                                           "stylesheet",
                                           "qmljsdebugger"};
const char* const kQtFlags[] = {"reverse", "testability", "widgetcount", "nograb", "dograb", "sync"};

QString usage(bool german)
{
    if (german)
        return QStringLiteral("Aufruf: kurvix [OPTION]\n"
                              "Zeichnet f(x) = a1·x^e1 + a2·x^e2 + a3·x^e3 + d in einem Fenster.\n\n"
                              "  -h, --help     diese Hilfe ausgeben und beenden\n"
                              "  -v, --version  die Version ausgeben und beenden\n\n"
                              "Dazu die Optionen von Qt, etwa -platform und -style. Mehr in „man kurvix“.\n");
    return QStringLiteral("Usage: kurvix [OPTION]\n"
                          "Plots f(x) = a1·x^e1 + a2·x^e2 + a3·x^e3 + d in a window.\n\n"
                          "  -h, --help     print this help and exit\n"
                          "  -v, --version  print the version and exit\n\n"
                          "Qt's own options, such as -platform and -style, work too. More in \"man kurvix\".\n");
}

// Qt's own words for these, in English: no translation is loaded before the
// window. Kurvix says them as it says its other refusals.
QString parserError(const QCommandLineParser& parser, const QStringList& arguments, bool german)
{
    const QString qtWords = parser.errorText();
    const char* const kTexts[][3] = {
        {"Missing value after '%1'.", "nach „%1“ fehlt ein Wert", "missing value after '%1'"},
        {"Unexpected value after '%1'.", "„%1“ nimmt keinen Wert", "'%1' takes no value"},
    };
    for (const QString& argument : arguments)
        for (const auto& text : kTexts)
            if (const QString option = argument.section(QLatin1Char('='), 0, 0);
                QString::fromLatin1(text[0]).arg(option) == qtWords)
                return QString::fromUtf8(text[german ? 1 : 2]).arg(option);
    return qtWords;
}

} // namespace

int answer(const CommandLine& line, std::FILE* out, std::FILE* err, bool german)
{
    const bool refused = line.action == CommandLine::Action::Refuse;
    std::FILE* to = refused ? err : out;
    if (std::fputs(line.text.toLocal8Bit().constData(), to) >= 0 && std::fflush(to) == 0)
        return refused ? 1 : 0;
    const char* why = std::strerror(errno);
    std::fprintf(err, german ? "kurvix: Ausgabe nicht möglich: %s\n" : "kurvix: cannot write the output: %s\n", why);
    return 1;
}

QString cannotStart(bool platformMissing, bool german)
{
    if (platformMissing)
        return german ? QStringLiteral("kurvix: diese Qt-Plattform gibt es nicht (-platform oder QT_QPA_PLATFORM)")
                      : QStringLiteral("kurvix: no such Qt platform (-platform or QT_QPA_PLATFORM)");
    return german ? QStringLiteral("kurvix: keine grafische Anzeige erreichbar (DISPLAY oder WAYLAND_DISPLAY)")
                  : QStringLiteral("kurvix: cannot connect to a graphical display (DISPLAY or WAYLAND_DISPLAY)");
}

CommandLine readCommandLine(const QStringList& arguments, const QString& version, bool german)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption showVersion(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({help, showVersion});
    for (const char* name : kQtOptionsWithValue)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), {}, QStringLiteral("value")));
    for (const char* name : kQtFlags)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));

    if (!parser.parse(arguments)) {
        const QString unknown = parser.unknownOptionNames().value(0);
        if (unknown.isEmpty())
            return {CommandLine::Action::Refuse,
                    QStringLiteral("kurvix: %1\n").arg(parserError(parser, arguments, german))};
        return {CommandLine::Action::Refuse, german ? QStringLiteral("kurvix: unbekannte Option „%1“\n").arg(unknown)
                                                    : QStringLiteral("kurvix: unknown option '%1'\n").arg(unknown)};
    }
    if (parser.isSet(help))
        return {CommandLine::Action::PrintUsage, usage(german)};
    if (parser.isSet(showVersion))
        return {CommandLine::Action::PrintVersion, QStringLiteral("kurvix %1\n").arg(version)};
    if (!parser.positionalArguments().isEmpty()) // Kurvix opens no files
        return {CommandLine::Action::Refuse,
                german ? QStringLiteral("kurvix: unerwartetes Argument „%1“\n").arg(parser.positionalArguments()[0])
                       : QStringLiteral("kurvix: unexpected argument '%1'\n").arg(parser.positionalArguments()[0])};
    return {};
}

} // namespace kurvix::ui

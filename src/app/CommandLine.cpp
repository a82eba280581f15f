#include "app/CommandLine.h"

#include "app/CommandLineTexts.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

// Qt's own options for every program (QGuiApplication, QApplication, the X11 platform):
// accepted here so they reach Qt, not shown in the help. Those after '|' take no value.
constexpr const char* QtValueOptions[] = {"platform",
                                          "platformpluginpath",
                                          "platformtheme",
                                          "plugin",
                                          "qwindowgeometry",
                                          "geometry",
                                          "qwindowicon",
                                          "icon",
                                          "qwindowtitle",
                                          "title",
                                          "session",
                                          "display",
                                          "name",
                                          "style",
                                          "stylesheet",
                                          "qmljsdebugger",
                                          "dialogs",
                                          "fontengine"};
constexpr const char* QtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void addQtOptions(QCommandLineParser& parser) {
    const auto hidden = [&parser](const char* name, bool takesValue) {
        QCommandLineOption option(QString::fromLatin1(name));
        if (takesValue)
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    };
    for (const char* name : QtValueOptions)
        hidden(name, true);
    for (const char* name : QtFlagOptions)
        hidden(name, false);
}

} // namespace

CommandLineAnswer readCommandLine(const QStringList& arguments, const QString& version) {
    QCommandLineParser parser;
    // Qt's options are single-dash words ("-platform offscreen"), not bundled letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(CommandLineTexts::Description);
    // Not addHelpOption(): its --help-all would promise a list of Qt's options that a
    // parser without an application object cannot give.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  CommandLineTexts::HelpOption);
    parser.addOption(help);
    const QCommandLineOption versionOption = parser.addVersionOption();
    addQtOptions(parser);
    // Without an application object the parser names the program by a placeholder.
    const QString helpText = parser.helpText().replace(
        QStringLiteral("<executable_name>"),
        QFileInfo(arguments.value(0, QStringLiteral("kestrel"))).fileName());
    if (!parser.parse(arguments))
        return {false, parser.errorText() + u'\n' + helpText, true, 2};
    if (!parser.positionalArguments().isEmpty())
        return {false,
                CommandLineTexts::UnexpectedArgument.arg(parser.positionalArguments().first()) +
                    u'\n' + helpText,
                true, 2};
    if (parser.isSet(help))
        return {false, helpText, false, 0};
    if (parser.isSet(versionOption))
        return {false, QStringLiteral("kestrel %1\n").arg(version), false, 0};
    return {};
}

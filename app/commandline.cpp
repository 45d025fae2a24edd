#include "app/commandline.h"

#include "app/site.h"
#include "catalogue/catalogueexport.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>

CommandLine parseCommandLine(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("燧川脚本编辑器: an editor for game-server NPC and quest scripts."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption serverOption(QStringLiteral("server"),
                                          QStringLiteral("Update server and web site (scheme and host), e.g. http://www.example.com."),
                                          QStringLiteral("URL"));
    parser.addOption(serverOption);
    const QCommandLineOption exportOption(QStringLiteral("export-catalogue"),
                                          QStringLiteral("Write every insertable text (category windows and keyword buttons) as JSON to standard output."));
    parser.addOption(exportOption);
    parser.addPositionalArgument(QStringLiteral("script"), QStringLiteral("A script file to open."), QStringLiteral("[script]"));

    CommandLine result;
    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        return {false, 2, {}};
    }
    if (parser.isSet(helpOption)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return {false, 0, {}};
    }
    if (parser.isSet(versionOption)) {
        std::printf("%s %s\n", qPrintable(app.applicationName()), qPrintable(app.applicationVersion()));
        return {false, 0, {}};
    }
    if (parser.isSet(exportOption)) {
        const QByteArray json = catalogueJson();
        // A pipe that closes early or a full disk must not pass for a complete export.
        if (std::fwrite(json.constData(), 1, size_t(json.size()), stdout) != size_t(json.size())
            || std::fflush(stdout) != 0) {
            std::fprintf(stderr, "The catalogue could not be written to standard output: %s\n", std::strerror(errno));
            return {false, 1, {}};
        }
        return {false, 0, {}};
    }
    if (parser.isSet(serverOption)) {
        const Site site = Site::fromBaseAddress(parser.value(serverOption));
        if (site.baseAddress.isEmpty()) {
            std::fprintf(stderr, "--server needs an http or https address with a host and no path: %s\n",
                         qPrintable(parser.value(serverOption)));
            return {false, 2, {}};
        }
        setCurrentSite(site);
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        std::fprintf(stderr, "Only one script can be opened.\n");
        return {false, 2, {}};
    }
    if (!positional.isEmpty())
        result.scriptPath = positional.constFirst();
    return result;
}

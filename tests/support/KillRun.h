#pragma once

#include "support/ToolRun.h"

#include <QCommandLineParser>
#include <QTextStream>
#include <cstdio>
#include <random>

// What the crash tests share: their command line (--tool BILLDB [--kills N]
// [--seed S] [--full]) and their report on standard output.
namespace killrun {

struct Options {
    QString tool;
    int kills = 0;
    unsigned seed = std::random_device{}();
    QString child;  // crash_driver's child process: its seed
};

inline QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

// Kills by default, fullKills with --full; false, with the usage said, when the arguments are wrong.
inline bool parse(const QStringList& arguments, int kills, int fullKills, Options& options)
{
    const QCommandLineOption tool("tool", {}, "BILLDB"), count("kills", {}, "N"), seed("seed", {}, "S"), full("full"),
        child("child", {}, "SEED");
    QCommandLineParser parser;
    parser.addOptions({tool, count, seed, full, child});
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "usage: %s --tool BILLDB [--kills N] [--seed S] [--full]\n",
                     qPrintable(arguments.value(0).section('/', -1)));
        return false;
    }
    options.tool = parser.isSet(tool) ? parser.value(tool) : toolrun::billdbProgram();
    options.kills = parser.isSet(full) ? fullKills : parser.isSet(count) ? parser.value(count).toInt() : kills;
    if (parser.isSet(seed))
        options.seed = parser.value(seed).toUInt();
    options.child = parser.value(child);
    return true;
}

}  // namespace killrun

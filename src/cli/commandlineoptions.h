// The command line's options, its help text, and which options go together.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

struct CommandLineOptions
{
    // Needs the QCoreApplication: the texts are translated, the help names the program.
    CommandLineOptions();

    // Reads `arguments` (those after the program's name); false, with the
    // parser's errorText(), for an unknown option or a missing value.
    bool parse(const QStringList &arguments);
    // --help or --help-all.
    bool wantsHelp() const;
    // The help, with the exit statuses; --help-all adds Qt's window options.
    QString helpText() const;
    // Why the options read cannot run as one command; empty when they can.
    QString usageProblem() const;

    bool sendsAllRows() const; // --send all
    int receiver() const; // the N of --send N
    bool usesChannelLibrary() const; // --channels, --import-channels or --export-channels

    QCommandLineParser parser;
    const QCommandLineOption help;
    const QCommandLineOption version;
    const QCommandLineOption list;
    const QCommandLineOption send;
    const QCommandLineOption uplink;
    const QCommandLineOption json;
    const QCommandLineOption channels;
    const QCommandLineOption channel;
    const QCommandLineOption importChannels;
    const QCommandLineOption exportChannels;
};

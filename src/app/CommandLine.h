#pragma once

// What the program's command line asks for: to run, or to answer at once (its version,
// its help, or what is wrong with the line) and end. Read before any window system is
// opened, so "kestrel --version" answers on a machine without a display. The options Qt
// itself takes (-platform, -style, -display, ...) are accepted and left to Qt.

#include <QString>
#include <QStringList>

struct CommandLineAnswer {
    bool run = true;      // start the program; otherwise print text and end with status
    QString text;         // what to print before ending
    bool isError = false; // print it on standard error
    int status = 0;
};

CommandLineAnswer readCommandLine(const QStringList& arguments, const QString& version);

#pragma once

#include <QString>

// The administration tool as the operator can type it in a command: every
// message and help text that names one of its commands uses this.
namespace admintool {

// "billdb" when the tool beside the running program (or the running tool
// itself) is the one the PATH finds, as after installing the package; else
// its full path, as in a build tree (build/src/bill beside build/tools/billdb).
QString command();

// The tool's command with its words, ready to be typed: "billdb init --if-missing".
QString command(const QString& words);

// The program itself with its words, found as command() finds the tool:
// "bill --archive FILE".
QString program(const QString& words);

// How a shop numbers its documents ("bill", "receipt", "voucher") from 1
// again once they run out: the sentence naming the close-year command.
QString closeYearAdvice(const QString& documentName);

// A word (a file's path) as the shell takes it: quoted when it has anything
// but letters, digits and . / _ + - : @ % = ,
QString shellWord(const QString& word);

}  // namespace admintool

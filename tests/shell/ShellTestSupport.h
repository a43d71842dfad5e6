#pragma once

#include "support/ScriptedPrompter.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace ardenvo::test {

// The scripted prompter's records as the shell's tests read them.
std::vector<ScriptedPrompter::Shown> messagesShown(const ScriptedPrompter& prompter);
// Every question put, Yes/No or a choice of buttons, in the order asked.
QStringList questionsAsked(const ScriptedPrompter& prompter);
// Where each open (or each save) dialog started: its folder, or the file it proposed.
QStringList fileStarts(const ScriptedPrompter& prompter, ScriptedPrompter::Kind kind);

// A private folder for the test's files; the environment (settings, runtime and data folders)
// is pointed at a fresh temporary tree before the first test runs.
QString scratchDir();
// A file path inside scratchDir().
QString scratchFile(const QString& name);
// Writes raw bytes to a file of the scratch folder and returns its path.
QString writeScratchFile(const QString& name, const QByteArray& bytes);

#ifdef ARDENVO_TOOL
// Runs ardenvo-tool with this test's settings and runtime folders; its standard output, or
// "exit N: errors" when it failed.
QString runTool(const QStringList& arguments);
#endif

} // namespace ardenvo::test

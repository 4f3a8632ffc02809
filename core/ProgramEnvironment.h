#pragma once

#include <QString>

#include <functional>

// Where the program lives (the folder of "agg.ini", the archive and the logo) and how it
// ends. Both are set once at start and replaced by tests.
namespace vb {

QString programFolder();
void setProgramFolder(const QString& folder);
// The settings file beside the program: programFolder() + "/agg.ini".
QString settingsFilePath();

// Ends the program: every window is closed and the event loop left. Tests install an
// observer in place of the default handler.
void endProgram();
void setEndProgramHandler(std::function<void()> handler);

} // namespace vb

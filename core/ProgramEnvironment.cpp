#include "core/ProgramEnvironment.h"

#include <QCoreApplication>
#include <QDir>

namespace vb {
namespace {

QString g_folder;
std::function<void()> g_endHandler;

} // namespace

QString programFolder()
{
    if (g_folder.isEmpty() && QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return g_folder;
}

void setProgramFolder(const QString& folder) { g_folder = folder; }

QString settingsFilePath() { return QDir(programFolder()).filePath(QStringLiteral("agg.ini")); }

void endProgram()
{
    if (g_endHandler)
        g_endHandler();
    else
        QCoreApplication::quit();
}

void setEndProgramHandler(std::function<void()> handler) { g_endHandler = std::move(handler); }

} // namespace vb

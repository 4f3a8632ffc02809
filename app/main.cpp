#include "app/Windows.h"
#include "core/Database.h"
#include "core/Error.h"
#include "core/MessageService.h"
#include "core/ProgramEnvironment.h"
#include "ui/QtMessageService.h"
#include "ui/WindowRegistry.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellumbra"));
    QApplication::setApplicationVersion(QStringLiteral("04.20"));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    // Standard buttons and dialogs in Italian ("Sì", "No", "Annulla").
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    vb::QtMessageService messageBoxes;
    vb::setDefaultMessageService(&messageBoxes);
    vb::setProgramFolder(QApplication::applicationDirPath());
    vb::setEndProgramHandler([] {
        vb::WindowRegistry::instance().closeAll();
        QApplication::quit();
    });

    if (vb::db::Database::cipherVersion().isEmpty()) {
        vb::MsgBox(QStringLiteral("La libreria dell'archivio non è SQLCipher: il programma non può aprire l'archivio cifrato."),
                   vb::MsgButtons::Ok, vb::MsgIcon::Critical, QStringLiteral("ATTENZIONE"));
        return 1;
    }

    vb::registerAllWindows();
    if (!vb::showWindow(QStringLiteral("FormCopyraight")))
        return 0;
    return QApplication::exec();
}

#include "start/BackupDestination.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace vb::backup {

bool systemHasDriveLetters()
{
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

QString destinationPrompt(bool driveLetters)
{
    QStringList lines;
    if (driveLetters) {
        lines << QStringLiteral("Inserisci la lettera dell'unità di destinazione (pennetta,hd esterno ecc.)?");
    } else {
        lines << QStringLiteral("Inserisci la cartella dell'unità di destinazione (pennetta,hd esterno ecc.), ad "
                                "esempio /media/usb, oppure sceglila con il pulsante Sfoglia...?");
    }
    lines << QString() << QStringLiteral("INFO:") << QStringLiteral("Se non esiste sarà creata una cartella 'BackupSezORVE' ")
          << QStringLiteral(
                 "All'interno di detta cartella sarà creato un file di backup con la relativa data di creazione.")
          << QString() << QStringLiteral("Premi il tato OK per continuare oppure Annulla per uscire");
    return lines.join(QLatin1Char('\n'));
}

Destination destinationOf(const QString& answer, bool driveLetters)
{
    Destination d;
    if (driveLetters && answer.size() == 1 && answer.at(0).isLetter()) {
        d.root = answer + QStringLiteral(":/");
        d.shown = answer.toUpper();
        d.exists = QFileInfo(d.root).isDir();
        return d;
    }
    d.root = answer;
    if (!driveLetters && (answer == QStringLiteral("~") || answer.startsWith(QStringLiteral("~/"))))
        d.root = QDir::homePath() + answer.mid(1);
    d.shown = QDir::toNativeSeparators(d.root);
    // A relative folder would land wherever the program happens to run.
    d.exists = QDir::isAbsolutePath(d.root) && QFileInfo(d.root).isDir();
    return d;
}

QString missingDestinationMessage(const Destination& destination, bool driveLetters)
{
    if (driveLetters) {
        return QStringLiteral("Unità - ") + destination.shown
            + QStringLiteral(" - disco rigido o pennetta di destinazione inesistente! Ripetere l'operazione dopo aver "
                             "inserito una unità di destinazione valida.");
    }
    return QStringLiteral("Cartella - ") + destination.shown
        + QStringLiteral(" - disco rigido o pennetta di destinazione inesistente! Ripetere l'operazione dopo aver "
                         "inserito la cartella di una unità di destinazione valida (ad esempio /media/usb).");
}

QString successMessage(const QString& folder, bool driveLetters)
{
    const QString done = QStringLiteral("Copia di salvataggio terminata ed effettuata con successo.");
    if (driveLetters)
        return done;
    return done + QStringLiteral("\nLa copia è nella cartella ") + QDir::toNativeSeparators(folder) + u'.';
}

} // namespace vb::backup

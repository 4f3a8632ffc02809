#include "core/Backup.h"

#include "core/Error.h"

namespace vb {

void CopiaArchivio(const QString&, const QString&)
{
    throw Error(QStringLiteral("Copia di salvataggio non ancora disponibile."));
}

} // namespace vb

#include "tests/support/TestSupport.h"

#include "core/Cini.h"
#include "core/ProgramEnvironment.h"
#include "data/NewDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QImage>

#include <sys/stat.h>

namespace vb::test {

MsgResult ScriptedMessages::message(const MessageRequest& r)
{
    shown.push_back(r);
    if (!m_answers.empty()) {
        const MsgResult a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    switch (r.buttons) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel: return MsgResult::Ok;
    default: return MsgResult::Yes;
    }
}

QString ScriptedMessages::input(const InputRequest& r)
{
    inputsShown.push_back(r);
    if (m_inputs.empty())
        return QString();
    const QString a = m_inputs.front();
    m_inputs.pop_front();
    return a;
}

QStringList ScriptedMessages::texts() const
{
    QStringList out;
    for (const auto& m : shown)
        out << m.text;
    return out;
}

ProgramFolder::ProgramFolder(const QString& codInt)
{
    data::createDatabase(databasePath(), key());
    QImage logo(64, 64, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    logo.save(logoPath(), "PNG");
    setIni(QStringLiteral("tipo_conn"), QStringLiteral("sqlcipher"));
    setIni(QStringLiteral("prov_conn"), QStringLiteral("Vellumbra.SQLCipher"));
    setIni(QStringLiteral("ip_conn"), path() + QLatin1Char('/'));
    setIni(QStringLiteral("uid_conn"), QStringLiteral("Admin"));
    setIni(QStringLiteral("pwd_conn"), key());
    setIni(QStringLiteral("db_conn"), QStringLiteral("archivio.db"));
    setIni(QStringLiteral("logo_conn"), logoPath());
    setIni(QStringLiteral("Cod_Int"), codInt);
    setProgramFolder(path());
}

ProgramFolder::~ProgramFolder() { setProgramFolder(QString()); }

QString ProgramFolder::databasePath() const { return QDir(path()).filePath(QStringLiteral("archivio.db")); }
QString ProgramFolder::logoPath() const { return QDir(path()).filePath(QStringLiteral("logo.png")); }
QString ProgramFolder::iniPath() const { return QDir(path()).filePath(QStringLiteral("agg.ini")); }

QString ProgramFolder::key()
{
    return QStringLiteral("x'00112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF'");
}

std::unique_ptr<db::Database> ProgramFolder::open() const { return db::Database::open(databasePath(), key()); }

void ProgramFolder::setIni(const QString& k, const QString& value) const
{
    Cini ini;
    ini.setFileName(iniPath());
    ini.setApplicationKey(QStringLiteral("db_remoto"));
    ini.SetValue(k, value);
}

QString ProgramFolder::ini(const QString& k) const
{
    Cini ini;
    ini.setFileName(iniPath());
    ini.setApplicationKey(QStringLiteral("db_remoto"));
    return ini.GetValue(k, QStringLiteral("p"));
}

AppTest::AppTest()
{
    setClock(&clock);
    setMessageService(&msgs);
    setEndProgramHandler([this] { ++programEnds; });
    db = folder.open();
}

AppTest::~AppTest()
{
    db.reset();
    processEvents();
    setEndProgramHandler(nullptr);
    setMessageService(nullptr);
    setClock(nullptr);
}

void processEvents()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace vb::test

namespace vb::test {

int fileMode(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return int(st.st_mode & 07777);
}

} // namespace vb::test

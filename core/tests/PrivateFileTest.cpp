#include "core/PrivateFile.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace vb::files {
namespace {

mode_t modeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 0777) : 0;
}

QByteArray contentOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A file written through a device is private whatever the umask, replaces an older file
// whole, and a writer that fails leaves the older file as it was and nothing beside it.
TEST(PrivateFile, AFileWrittenThroughADeviceIsPrivateWholeOrNotAtAll)
{
    const mode_t oldMask = ::umask(022);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stampa.pdf"));
    const auto writeText = [](const QByteArray& text) { return [text](QIODevice& d) { d.write(text); }; };

    QString error;
    ASSERT_TRUE(saveAtomically(path, writeText("prima"), &error)) << error.toStdString();
    EXPECT_EQ(modeOf(path), mode_t(0600));

    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);
    ASSERT_TRUE(saveAtomically(path, writeText("seconda"), &error));
    EXPECT_EQ(contentOf(path), QByteArray("seconda"));
    EXPECT_EQ(modeOf(path), mode_t(0600));

    struct Stopped {};
    EXPECT_THROW(saveAtomically(path, [](QIODevice& d) { d.write("mezza"); throw Stopped{}; }), Stopped);
    EXPECT_EQ(contentOf(path), QByteArray("seconda"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("stampa.pdf")});

    EXPECT_FALSE(saveAtomically(dir.filePath(QStringLiteral("manca/stampa.pdf")), writeText("x"), &error));
    EXPECT_EQ(error, QStringLiteral("la cartella non esiste (più)"));
    ::umask(oldMask);
}

} // namespace
} // namespace vb::files

#include "core/WriterTurns.h"

#include <QFile>
#include <QRandomGenerator>

#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vb::db {
namespace {

// Locks on byte 0 of the side file, owned by one open file (one connection), so that
// two connections of one process see each other's.
bool lockByte(int fd, short type)
{
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 1;
    return ::fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

bool anotherWaits(int fd)
{
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 1;
    return ::fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
}

} // namespace

WriterTurns::~WriterTurns()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool WriterTurns::open()
{
    if (!m_tried) {
        m_tried = true;
        m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
        if (m_fd >= 0)
            ::fchmod(m_fd, S_IRUSR | S_IWUSR);
    }
    return m_fd >= 0;
}

bool WriterTurns::keepWaiting(int attempt, std::chrono::milliseconds timeout)
{
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0) {
        m_since = now;
        if (!m_waiting && open())
            m_waiting = lockByte(m_fd, F_RDLCK);
    }
    if (now - m_since >= timeout) {
        doneWaiting();
        return false;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500 + QRandomGenerator::global()->bounded(1500)));
    return true;
}

void WriterTurns::doneWaiting()
{
    if (m_waiting) {
        lockByte(m_fd, F_UNLCK);
        m_waiting = false;
    }
}

void WriterTurns::giveWay()
{
    if (!open())
        return;
    // A waiting writer polls every few milliseconds; it has had its turn when its mark
    // goes, and a writer that never comes is not waited for long.
    for (int i = 0; i < 50 && anotherWaits(m_fd); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

} // namespace vb::db

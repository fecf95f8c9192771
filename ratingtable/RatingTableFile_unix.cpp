#include "RatingTableFile.h"

#include "Failure.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Takes a read lease, which the kernel refuses while any process has the file open for
// writing. Returns false only for that refusal: where leases are not permitted or not
// supported, the file is read without one.
bool takeReadLease(int fd, bool& leased)
{
    // A writer opening the file while we hold the lease makes the kernel signal us; SIGIO
    // would end the program, SIGURG is ignored by default.
    (void)::fcntl(fd, F_SETSIG, SIGURG);
    if (::fcntl(fd, F_SETLEASE, F_RDLCK) == 0) {
        leased = true;
        return true;
    }
    return errno != EAGAIN;
}

bool readAll(int fd, QByteArray& bytes)
{
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (bytes.size() + n > maxRatingTableBytes)
            return false;
        bytes.append(buffer, n);
    }
}

} // namespace

QByteArray readRatingTableFile(const QString& fileName)
{
    const FileDescriptor file(
        ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    // Opening without blocking, so that a pipe nobody writes to cannot stall start-up; and
    // only a regular file is a table: a pipe, device or socket could feed bytes without end.
    struct stat status {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size > maxRatingTableBytes)
        throw SheetFailure::cannotOpen(fileName);

    bool leased = false;
    if (!takeReadLease(file.get(), leased))
        throw SheetFailure::cannotOpen(fileName);
    QByteArray bytes;
    const bool complete = readAll(file.get(), bytes);
    if (leased)
        (void)::fcntl(file.get(), F_SETLEASE, F_UNLCK);
    if (!complete)
        throw SheetFailure::cannotOpen(fileName);
    return bytes;
}

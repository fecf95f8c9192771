#include "RatingTableFile.h"

#include "Failure.h"

#include <windows.h>

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~FileHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

bool isRegularDiskFile(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION information{};
    return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &information) &&
           !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool readAll(HANDLE file, QByteArray& bytes)
{
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &n, nullptr))
            return false;
        if (n == 0)
            return true;
        if (bytes.size() + qint64(n) > maxRatingTableBytes)
            return false;
        bytes.append(buffer, n);
    }
}

} // namespace

QByteArray readRatingTableFile(const QString& fileName)
{
    // Read sharing only: the open fails while another program holds the file open for
    // writing, and no program can open it for writing while it is read.
    const FileHandle file(CreateFileW(reinterpret_cast<LPCWSTR>(fileName.utf16()), GENERIC_READ,
                                      FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    // Only a regular disk file is a table: a pipe or a device could feed bytes without end.
    LARGE_INTEGER size{};
    if (file.get() == INVALID_HANDLE_VALUE || !isRegularDiskFile(file.get()) ||
        !GetFileSizeEx(file.get(), &size) || size.QuadPart > maxRatingTableBytes)
        throw SheetFailure::cannotOpen(fileName);
    QByteArray bytes;
    if (!readAll(file.get(), bytes))
        throw SheetFailure::cannotOpen(fileName);
    return bytes;
}

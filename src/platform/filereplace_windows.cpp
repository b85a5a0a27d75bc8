// Windows: a new file beside the old one, flushed with FlushFileBuffers, then
// moved over it in one step with MoveFileEx. The new file takes the folder's
// inherited permissions, as every file the user makes in %APPDATA% does.
#include "filereplace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <windows.h>

namespace filereplace {

namespace {

// With the system's reason, taken before any clean-up can change it.
QString couldNotWrite()
{
    return QCoreApplication::translate("filereplace", "could not be written (%1)")
        .arg(qt_error_string(int(GetLastError())));
}

std::wstring wide(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

bool writeAll(HANDLE file, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        DWORD done = 0;
        const DWORD chunk = DWORD(std::min<qsizetype>(left, 1 << 20));
        if (!WriteFile(file, data, chunk, &done, nullptr) || done == 0)
            return false;
        data += done;
        left -= done;
    }
    return true;
}

} // namespace

QString replace(const QString &path, const QByteArray &bytes)
{
    const QFileInfo link(path);
    const QString target = link.isSymLink() && link.exists() ? link.canonicalFilePath() : path;
    const std::wstring targetPath = wide(target);

    HANDLE file = INVALID_HANDLE_VALUE;
    std::wstring tempPath;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        tempPath = targetPath + L"." + std::to_wstring(GetCurrentProcessId()) + L"-"
            + std::to_wstring(attempt) + L".tmp";
        file = CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return couldNotWrite();
    }
    if (file == INVALID_HANDLE_VALUE)
        return couldNotWrite();
    const bool written = writeAll(file, bytes) && FlushFileBuffers(file);
    const bool closed = CloseHandle(file);
    if (!written || !closed
        || !MoveFileExW(tempPath.c_str(), targetPath.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(tempPath.c_str());
        return couldNotWrite();
    }
    return QString();
}

} // namespace filereplace

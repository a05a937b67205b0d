#include "people/databasefile.h"

#include "people/archivewriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

QString PathOf(const std::string& path)
{
    return QString::fromStdString(path);
}

std::string SaveFailure(const std::string& path, const char* step, const QString& why)
{
    return "cannot save '" + path + "': " + step + ": " + why.toStdString();
}

// Reads the whole open file: in one call when its size is known and stays
// put, on in blocks when it grows or reports no size. The buffer is not
// cleared first; only the bytes read count.
std::optional<std::string> ReadAll(QFile& file, std::unique_ptr<char[]>& bytes, size_t& size)
{
    constexpr size_t kGrowStep = 64 * 1024;
    size_t capacity = static_cast<size_t>(std::max<qint64>(file.size(), 0)) + 1;
    bytes.reset(new char[capacity]);
    size = 0;
    for (;;) {
        if (size == capacity) {
            const size_t larger = capacity + std::max(capacity, kGrowStep);
            std::unique_ptr<char[]> grown(new char[larger]);
            std::memcpy(grown.get(), bytes.get(), size);
            bytes = std::move(grown);
            capacity = larger;
        }
        const qint64 got = file.read(bytes.get() + size, static_cast<qint64>(capacity - size));
        if (got < 0)
            return file.errorString().toStdString();
        if (got == 0)
            return std::nullopt;
        size += static_cast<size_t>(got);
    }
}

#ifdef Q_OS_UNIX
// Makes the rename itself durable. The new file is already in place when
// this runs, so a failure here is not a failed save.
void SyncDirectoryOf(const QString& path)
{
    // The target may be a symbolic link; the rename happened beside the file it names.
    const QFileInfo target(QFileInfo(path).canonicalFilePath());
    const QByteArray directory = QFile::encodeName(target.absolutePath());
    const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}
#endif

}

DatabaseLoadResult LoadDatabaseFile(const std::string& path)
{
    DatabaseLoadResult result;
    QFile file(PathOf(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        result.status = DatabaseLoadResult::Status::Missing;
        result.openError = file.errorString().toStdString();
        return result;
    }

    std::unique_ptr<char[]> bytes;
    size_t size = 0;
    if (std::optional<std::string> readError = ReadAll(file, bytes, size)) {
        // An unreadable file is treated like one that cannot be opened.
        result.status = DatabaseLoadResult::Status::Missing;
        result.openError = std::move(*readError);
        return result;
    }
    file.close();

    ArchiveReadResult archive = ReadArchive(std::move(bytes), size);
    result.records = std::move(archive.records);
    result.fault = std::move(archive.fault);
    result.status = result.fault ? DatabaseLoadResult::Status::Damaged : DatabaseLoadResult::Status::Loaded;
    return result;
}

std::optional<std::string> SaveDatabaseFile(const std::string& path, const CNameList& names)
{
    std::string bytes;
    try {
        bytes = WriteArchive(names);
    } catch (const std::length_error& error) {
        return SaveFailure(path, "cannot encode the people", QString::fromUtf8(error.what()));
    } catch (const std::bad_alloc&) {
        return SaveFailure(path, "cannot encode the people", QStringLiteral("out of memory"));
    }

    // QSaveFile writes a temporary file beside the target and renames it over
    // the target in commit(); until then the old file is untouched, and a
    // QSaveFile destroyed without a successful commit removes its temporary.
    QSaveFile file(PathOf(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return SaveFailure(path, "cannot create a temporary file beside it", file.errorString());

    // A short write is retried for the rest, so that a full disk shows up as
    // the error of the call that wrote nothing.
    const char* next = bytes.data();
    auto left = static_cast<qint64>(bytes.size());
    while (left > 0) {
        const qint64 written = file.write(next, left);
        if (written <= 0)
            break;
        next += written;
        left -= written;
    }
    if (left > 0 || !file.flush()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return SaveFailure(path, "cannot write the temporary file", why);
    }

#ifdef Q_OS_UNIX
    // commit() syncs too but ignores the outcome; a failed sync here means
    // the data may never reach the disk, so the old file must stay.
    if (::fsync(file.handle()) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        file.cancelWriting();
        return SaveFailure(path, "cannot flush the temporary file to disk", why);
    }
#endif

    if (!file.commit())
        return SaveFailure(path, "cannot replace the file", file.errorString());

#ifdef Q_OS_UNIX
    SyncDirectoryOf(PathOf(path));
#endif
    return std::nullopt;
}

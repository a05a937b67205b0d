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
#include <sys/stat.h>
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

// FNV-1a taken over 8-byte words in four interleaved lanes, so that hashing
// a large file runs at memory speed, then over the lanes and the last bytes.
uint64_t HashBytes(const char* bytes, size_t size)
{
    constexpr uint64_t kBasis = 0xcbf29ce484222325ULL;
    constexpr uint64_t kPrime = 0x100000001b3ULL;
    uint64_t lanes[4] = {kBasis, kBasis ^ 1, kBasis ^ 2, kBasis ^ 3};
    size_t at = 0;
    for (; at + 32 <= size; at += 32) {
        for (int lane = 0; lane < 4; ++lane) {
            uint64_t word;
            std::memcpy(&word, bytes + at + 8 * lane, sizeof word);
            lanes[lane] = (lanes[lane] ^ word) * kPrime;
        }
    }
    uint64_t hash = kBasis;
    for (const uint64_t lane : lanes)
        hash = (hash ^ lane) * kPrime;
    for (; at < size; ++at)
        hash = (hash ^ static_cast<unsigned char>(bytes[at])) * kPrime;
    return (hash ^ size) * kPrime;
}

// The identity of the open file and the hash of the bytes read from it.
DatabaseFileStamp StampOf(const QFile& file, const char* bytes, size_t size)
{
    DatabaseFileStamp stamp;
    stamp.size = static_cast<int64_t>(size);
    stamp.hash = HashBytes(bytes, size);
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::fstat(file.handle(), &status) == 0) {
        stamp.device = static_cast<uint64_t>(status.st_dev);
        stamp.inode = static_cast<uint64_t>(status.st_ino);
        stamp.modifiedNs = static_cast<int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    }
#else
    stamp.modifiedNs = file.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch() * 1000000;
#endif
    return stamp;
}

// Opens and reads the whole file at `path`; the reason on failure.
std::optional<std::string> ReadDatabaseBytes(const std::string& path, std::unique_ptr<char[]>& bytes, size_t& size,
                                             DatabaseFileStamp& stamp)
{
    QFile file(PathOf(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return file.errorString().toStdString();
    if (std::optional<std::string> readError = ReadAll(file, bytes, size))
        return readError;
    stamp = StampOf(file, bytes.get(), size);
    return std::nullopt;
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
    std::unique_ptr<char[]> bytes;
    size_t size = 0;
    DatabaseFileStamp stamp;
    if (std::optional<std::string> readError = ReadDatabaseBytes(path, bytes, size, stamp)) {
        // An unreadable file is treated like one that cannot be opened.
        result.status = DatabaseLoadResult::Status::Missing;
        result.openError = std::move(*readError);
        return result;
    }
    result.stamp = stamp;

    ArchiveReadResult archive = ReadArchive(std::move(bytes), size);
    result.records = std::move(archive.records);
    result.fault = std::move(archive.fault);
    result.status = result.fault ? DatabaseLoadResult::Status::Damaged : DatabaseLoadResult::Status::Loaded;
    return result;
}

bool operator==(const DatabaseFileStamp& a, const DatabaseFileStamp& b)
{
    return a.device == b.device && a.inode == b.inode && a.size == b.size && a.modifiedNs == b.modifiedNs &&
           a.hash == b.hash;
}

bool operator!=(const DatabaseFileStamp& a, const DatabaseFileStamp& b)
{
    return !(a == b);
}

std::optional<DatabaseFileStamp> StampDatabaseFile(const std::string& path)
{
    std::unique_ptr<char[]> bytes;
    size_t size = 0;
    DatabaseFileStamp stamp;
    if (ReadDatabaseBytes(path, bytes, size, stamp))
        return std::nullopt;
    return stamp;
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

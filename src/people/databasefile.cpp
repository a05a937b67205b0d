// Loading, stamping, backing up and saving database.bio: the four share the
// reading of the whole file (databasebytes.h), the writing, syncing and
// renaming, and the wording of their failures.
#include "people/databasefile.h"

#include "people/archivewriter.h"
#include "people/databasebytes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <filesystem>
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

constexpr const char* kDamagedSuffix = ".damaged";

// Writes all `size` bytes to the open file and makes them durable; the
// reason on failure. A short write is retried for the rest, so that a full
// disk shows up as the error of the call that wrote nothing.
std::optional<std::string> WriteAll(QFileDevice& file, const char* bytes, size_t size)
{
    auto left = static_cast<qint64>(size);
    while (left > 0) {
        const qint64 written = file.write(bytes, left);
        if (written <= 0)
            break;
        bytes += written;
        left -= written;
    }
    if (left > 0 || !file.flush())
        return file.errorString().toStdString();
#ifdef Q_OS_UNIX
    // QSaveFile::commit() syncs too but ignores the outcome; a failed sync
    // means the data may never reach the disk.
    if (::fsync(file.handle()) != 0)
        return std::string(std::strerror(errno));
#endif
    return std::nullopt;
}

// The file a save of `path` replaces: `path` itself, or the regular file a
// symbolic link at `path` names, so that the link stays. Anything else that
// holds the path is refused, since renaming over it would destroy it.
std::optional<std::string> SaveTarget(const std::string& path, std::string& target)
{
    namespace fs = std::filesystem;
    const fs::path where = fs::u8path(path);
    std::error_code error;
    const fs::file_type type = fs::status(where, error).type();
    const bool isLink = fs::is_symlink(fs::symlink_status(where, error));
    if (type == fs::file_type::not_found && isLink)
        return std::string(kDatabaseDanglingLink);
    if (type != fs::file_type::not_found && type != fs::file_type::regular)
        return std::string(type == fs::file_type::directory ? kDatabaseIsFolder : kDatabaseNotRegular);
    target = isLink ? QFileInfo(PathOf(path)).canonicalFilePath().toStdString() : path;
    return std::nullopt;
}

#ifdef Q_OS_UNIX
// Makes the rename itself durable. The new file is already in place when
// this runs, so a failure here is not a failed save.
void SyncDirectoryOf(const QString& path)
{
    const QByteArray directory = QFile::encodeName(QFileInfo(path).absolutePath());
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
    size_t size{};
    DatabaseFileStamp stamp;
    if (std::optional<std::string> readError = ReadDatabaseBytes(path, bytes, size, stamp)) {
        // An unreadable file is treated like one that cannot be opened.
        result.status = DatabaseLoadResult::Status::Missing;
        result.openError = std::move(*readError);
        return result;
    }

    try {
        ArchiveReadResult archive = ReadArchive(std::move(bytes), size);
        result.records = std::move(archive.records);
        result.fault = std::move(archive.fault);
    } catch (const std::bad_alloc&) {
        result.records = CNameTable();
        result.status = DatabaseLoadResult::Status::Missing;
        result.openError = kDatabaseOutOfMemory;
        return result;
    }
    result.stamp = stamp;
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
    size_t size{};
    DatabaseFileStamp stamp;
    if (ReadDatabaseBytes(path, bytes, size, stamp))
        return std::nullopt;
    return stamp;
}

std::optional<std::string> BackUpDatabaseFile(const std::string& path, std::string& copyPath)
{
    constexpr int kMaxCopies = 1000;
    std::unique_ptr<char[]> bytes;
    size_t size{};
    DatabaseFileStamp stamp;
    if (std::optional<std::string> readError = ReadDatabaseBytes(path, bytes, size, stamp))
        return readError;

    for (int number = 0; number < kMaxCopies; ++number) {
        copyPath = path + kDamagedSuffix + (number == 0 ? "" : "." + std::to_string(number));
        QFile copy(PathOf(copyPath));
        if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            // A name that is taken, by anything, belongs to someone else.
            std::error_code error;
            if (std::filesystem::symlink_status(std::filesystem::u8path(copyPath), error).type() !=
                std::filesystem::file_type::not_found)
                continue;
            return copy.errorString().toStdString();
        }
        if (std::optional<std::string> writeError = WriteAll(copy, bytes.get(), size)) {
            copy.close();
            copy.remove();
            return writeError;
        }
        return std::nullopt;
    }
    return "there are already " + std::to_string(kMaxCopies) + " copies";
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

    std::string target;
    if (std::optional<std::string> refused = SaveTarget(path, target))
        return "cannot save '" + path + "': " + *refused;

    // QSaveFile writes a temporary file beside the target and renames it over
    // the target in commit(); until then the old file is untouched, and a
    // QSaveFile destroyed without a successful commit removes its temporary.
    QSaveFile file(PathOf(target));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return SaveFailure(path, "cannot create a temporary file beside it", file.errorString());

    if (std::optional<std::string> writeError = WriteAll(file, bytes.data(), bytes.size())) {
        file.cancelWriting();
        return SaveFailure(path, "cannot write the temporary file", QString::fromStdString(*writeError));
    }

    if (!file.commit())
        return SaveFailure(path, "cannot replace the file", file.errorString());

#ifdef Q_OS_UNIX
    SyncDirectoryOf(PathOf(target));
#endif
    return std::nullopt;
}

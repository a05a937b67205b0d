// Loading, stamping, backing up and saving database.bio in one file, past the
// usual size: the four share the file-system steps (open, read whole, write,
// sync, rename) and the wording of their failures.
#include "people/databasefile.h"

#include "people/archivewriter.h"
#include "people/stamphash.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
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

constexpr const char* kDamagedSuffix = ".damaged";
constexpr const char* kOutOfMemory = "there is not enough memory to read it";
constexpr const char* kNotRegular = "it is not a regular file";
const std::string kTooLarge = "it is larger than " + std::to_string(kMaxDatabaseBytes >> 30) +
                              " GiB, far more than any list of people";

#ifdef Q_OS_UNIX
std::string LastError()
{
    return std::strerror(errno);
}

int64_t Nanoseconds(const timespec& time)
{
    return static_cast<int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

// Closes a file descriptor when the scope ends.
class CFileHandle {
public:
    explicit CFileHandle(int fd) : m_fd(fd) {}
    ~CFileHandle()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

// Why a path that cannot be opened for reading cannot be: a symbolic link to
// nothing says so, since the path is then taken yet holds no file.
std::string OpenFailure(const std::string& path, int error)
{
    struct stat link {};
    if (error == ENOENT && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
        return "it is a symbolic link to a file that does not exist";
    return std::strerror(error);
}

// Opens `path` for reading without waiting (a FIFO would block in open) and
// accepts only a regular file of at most kMaxDatabaseBytes, judged on the
// opened handle so that nothing can be swapped in between.
std::optional<std::string> OpenRegularFile(const std::string& path, int& fd, struct stat& status)
{
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return OpenFailure(path, errno);
    if (::fstat(fd, &status) != 0)
        return LastError();
    if (!S_ISREG(status.st_mode))
        return std::string(S_ISDIR(status.st_mode) ? "it is a folder, not a file" : kNotRegular);
    if (status.st_size > static_cast<off_t>(kMaxDatabaseBytes))
        return kTooLarge;
    // Reads of a regular file may block as usual.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return std::nullopt;
}

// Reads the whole open file, in chunks that are hashed as they arrive, on
// past its reported size when it grows, but never past kMaxDatabaseBytes.
std::optional<std::string> ReadAll(int fd, size_t expected, std::unique_ptr<char[]>& bytes, size_t& size,
                                   uint64_t& hash)
{
    constexpr size_t kGrowStep = 64 * 1024;
    constexpr size_t kChunk = 256 * 1024;  // fits the cache, so the hash reads it there
    size_t capacity = expected + 1;
    bytes.reset(new (std::nothrow) char[capacity]);
    if (!bytes)
        return std::string(kOutOfMemory);
    size = 0;
    CStampHash stamp;
    size_t hashed = 0;
    for (;;) {
        if (size == capacity) {
            if (size > kMaxDatabaseBytes)
                return kTooLarge;
            const size_t larger = capacity + std::max(capacity, kGrowStep);
            std::unique_ptr<char[]> grown(new (std::nothrow) char[larger]);
            if (!grown)
                return std::string(kOutOfMemory);
            std::memcpy(grown.get(), bytes.get(), size);
            bytes = std::move(grown);
            capacity = larger;
        }
        const ssize_t got = ::read(fd, bytes.get() + size, std::min(capacity - size, kChunk));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return LastError();
        if (got == 0)
            break;
        size += static_cast<size_t>(got);
        const size_t blocks = size / CStampHash::kBlock * CStampHash::kBlock;
        stamp.AddBlocks(bytes.get() + hashed, blocks - hashed);
        hashed = blocks;
    }
    if (size > kMaxDatabaseBytes)
        return kTooLarge;
    hash = stamp.Finish(bytes.get(), size, hashed);
    return std::nullopt;
}

// Opens and reads the whole regular file at `path`; the reason on failure.
std::optional<std::string> ReadDatabaseBytes(const std::string& path, std::unique_ptr<char[]>& bytes, size_t& size,
                                             DatabaseFileStamp& stamp)
{
    int fd = -1;
    struct stat status {};
    std::optional<std::string> failure = OpenRegularFile(path, fd, status);
    const CFileHandle handle(fd);
    if (!failure)
        failure = ReadAll(fd, static_cast<size_t>(status.st_size), bytes, size, stamp.hash);
    if (failure)
        return failure;
    stamp.device = static_cast<uint64_t>(status.st_dev);
    stamp.inode = static_cast<uint64_t>(status.st_ino);
    stamp.modifiedNs = Nanoseconds(status.st_mtim);
    stamp.size = static_cast<int64_t>(size);
    return std::nullopt;
}
#else
std::optional<std::string> ReadDatabaseBytes(const std::string& path, std::unique_ptr<char[]>& bytes, size_t& size,
                                             DatabaseFileStamp& stamp)
{
    QFile file(PathOf(path));
    if (!QFileInfo(file).isFile())
        return std::string(QFileInfo(file).exists() ? kNotRegular : "No such file or directory");
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString().toStdString();
    if (file.size() > static_cast<qint64>(kMaxDatabaseBytes))
        return kTooLarge;
    const QByteArray all = file.read(static_cast<qint64>(kMaxDatabaseBytes) + 1);
    if (all.size() > static_cast<qsizetype>(kMaxDatabaseBytes))
        return kTooLarge;
    bytes.reset(new (std::nothrow) char[all.size() + 1]);
    if (!bytes)
        return std::string(kOutOfMemory);
    size = static_cast<size_t>(all.size());
    std::memcpy(bytes.get(), all.constData(), size);
    stamp.modifiedNs = file.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch() * 1000000;
    stamp.size = static_cast<int64_t>(size);
    stamp.hash = CStampHash::Of(bytes.get(), size);
    return std::nullopt;
}
#endif

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
        return LastError();
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
        return std::string("it is a symbolic link to a file that does not exist");
    if (type != fs::file_type::not_found && type != fs::file_type::regular)
        return std::string(type == fs::file_type::directory ? "it is a folder, not a file" : kNotRegular);
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
        result.openError = kOutOfMemory;
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

// Reading database.bio on a POSIX system: the file is judged on the handle it
// is read through, so that nothing can be swapped in between, and hashed in
// chunks while they are still in the cache.
#include "people/databasebytes.h"

#include "people/stamphash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace {

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

private:
    int m_fd;
};

// Why a path that cannot be opened for reading cannot be: a symbolic link to
// nothing says so, since the path is then taken yet holds no file.
std::string OpenFailure(const std::string& path, int error)
{
    struct stat link {};
    if (error == ENOENT && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
        return kDatabaseDanglingLink;
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
        return std::string(std::strerror(errno));
    if (!S_ISREG(status.st_mode))
        return std::string(S_ISDIR(status.st_mode) ? kDatabaseIsFolder : kDatabaseNotRegular);
    if (status.st_size > static_cast<off_t>(kMaxDatabaseBytes))
        return kDatabaseTooLarge;
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
        return std::string(kDatabaseOutOfMemory);
    size = 0;
    CStampHash stamp;
    size_t hashed = 0;
    for (;;) {
        if (size == capacity) {
            if (size > kMaxDatabaseBytes)
                return kDatabaseTooLarge;
            const size_t larger = capacity + std::max(capacity, kGrowStep);
            std::unique_ptr<char[]> grown(new (std::nothrow) char[larger]);
            if (!grown)
                return std::string(kDatabaseOutOfMemory);
            std::memcpy(grown.get(), bytes.get(), size);
            bytes = std::move(grown);
            capacity = larger;
        }
        const ssize_t got = ::read(fd, bytes.get() + size, std::min(capacity - size, kChunk));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::string(std::strerror(errno));
        if (got == 0)
            break;
        size += static_cast<size_t>(got);
        const size_t blocks = size / CStampHash::kBlock * CStampHash::kBlock;
        stamp.AddBlocks(bytes.get() + hashed, blocks - hashed);
        hashed = blocks;
    }
    if (size > kMaxDatabaseBytes)
        return kDatabaseTooLarge;
    hash = stamp.Finish(bytes.get(), size, hashed);
    return std::nullopt;
}

}  // namespace

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

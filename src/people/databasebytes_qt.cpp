// Reading database.bio through QFile, where the system has no POSIX calls.
#include "people/databasebytes.h"

#include "people/stamphash.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <new>

std::optional<std::string> ReadDatabaseBytes(const std::string& path, std::unique_ptr<char[]>& bytes, size_t& size,
                                             DatabaseFileStamp& stamp)
{
    QFile file(QString::fromStdString(path));
    if (!QFileInfo(file).isFile())
        return std::string(QFileInfo(file).exists() ? kDatabaseNotRegular : "No such file or directory");
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString().toStdString();
    if (file.size() > static_cast<qint64>(kMaxDatabaseBytes))
        return kDatabaseTooLarge;
    const QByteArray all = file.read(static_cast<qint64>(kMaxDatabaseBytes) + 1);
    if (all.size() > static_cast<qsizetype>(kMaxDatabaseBytes))
        return kDatabaseTooLarge;
    bytes.reset(new (std::nothrow) char[all.size() + 1]);
    if (!bytes)
        return std::string(kDatabaseOutOfMemory);
    size = static_cast<size_t>(all.size());
    std::memcpy(bytes.get(), all.constData(), size);
    stamp.modifiedNs = file.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch() * 1000000;
    stamp.size = static_cast<int64_t>(size);
    stamp.hash = CStampHash::Of(bytes.get(), size);
    return std::nullopt;
}

#include "app/databaselock.h"

#include <QString>

CDatabaseLock::CDatabaseLock(const std::string& databasePath)
    : m_lock(QString::fromStdString(LockPathOf(databasePath)))
{
    // A lock is stale only when its process is gone, never because of its
    // age: a copy may run for days.
    m_lock.setStaleLockTime(0);
}

bool CDatabaseLock::TryLock()
{
    if (m_lock.tryLock(0)) {
        m_heldByAnother = false;
        return true;
    }
    m_heldByAnother = m_lock.error() == QLockFile::LockFailedError;
    qint64 pid = 0;
    QString hostName;
    QString appName;
    m_ownerPid = m_heldByAnother && m_lock.getLockInfo(&pid, &hostName, &appName) ? pid : 0;
    return !m_heldByAnother;
}

void CDatabaseLock::Unlock()
{
    m_lock.unlock();
}

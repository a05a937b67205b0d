#pragma once

#include <QLockFile>

#include <cstdint>
#include <string>

// The claim of one running Orvina on the people database of its folder: a
// lock file beside the database ("database.bio.lock"). A lock left behind
// by a process that no longer runs is taken over. A folder where no lock
// file can be made (read-only, say) is not claimed by anyone either, so the
// program runs as without the lock there.
class CDatabaseLock {
public:
    explicit CDatabaseLock(const std::string& databasePath);
    CDatabaseLock(const CDatabaseLock&) = delete;
    CDatabaseLock& operator=(const CDatabaseLock&) = delete;

    // Tries once, without waiting. False only when another running Orvina
    // holds the lock; OwnerPid() then names it when it is known.
    bool TryLock();
    bool HeldByAnother() const { return m_heldByAnother; }
    int64_t OwnerPid() const { return m_ownerPid; }
    void Unlock();

    static std::string LockPathOf(const std::string& databasePath) { return databasePath + ".lock"; }

private:
    QLockFile m_lock;
    bool m_heldByAnother = false;
    int64_t m_ownerPid = 0;
};

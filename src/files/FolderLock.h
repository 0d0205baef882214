#pragma once

#include <QString>

#include <memory>

class QLockFile;

// One writer at a time in a server folder: every change of its files (read,
// judge, replace) runs while the tool holds the folder's lock file, so two
// runs of the tool (a deploy script and an operator, two scheduled jobs)
// never save over each other's changes. The lock is the operating system's
// own and ends with the process, so a run that was killed leaves no lock
// behind.
class FolderLock final
{
public:
    static QString fileName(); // "kvxconfig.lock"
    static constexpr int defaultWaitMs = 10000;

    explicit FolderLock(QString folder);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    // Waits up to `waitMs` for another holder to finish. False with error()
    // when the lock could not be had. A folder that takes no new files is not
    // locked: nothing can be saved there, and the save says why.
    bool acquire(int waitMs = defaultWaitMs);
    void release();

    // A sentence for the operator: who holds the lock, or what stood in the way.
    const QString &error() const { return m_error; }

private:
    QString m_folder;
    QString m_path;
    QString m_error;
    int m_fd = -1;
    std::unique_ptr<QLockFile> m_lockFile;
};

// Tests wait `waitMs` instead of a holder's full wait; what the operator is
// told still names the full wait. Zero restores the real wait.
void setLockWaitForTesting(int waitMs);

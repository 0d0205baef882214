#include "FileHistory.h"

namespace {

FileHistory::State stateOf(const FileSnapshot &file)
{
    if (!file.exists)
        return {};
    return {true, file.bytes};
}

} // namespace

void FileHistory::remember(const QString &path, const FileSnapshot &file)
{
    m_states.insert(path, stateOf(file));
}

void FileHistory::remember(const QString &path)
{
    const Result<FileSnapshot> read = readRegularFile(path);
    if (read)
        remember(path, read.value());
    else
        m_states.remove(path);
}

bool FileHistory::changedBehindTheTool(const QString &path, const FileSnapshot &now) const
{
    const auto known = m_states.constFind(path);
    return known != m_states.constEnd() && stateOf(now) != *known;
}

void FileHistory::refuse(const QString &path, const QString &reason)
{
    m_states.remove(path);
    m_refused.insert(path, reason);
}

QString FileHistory::refusal(const QString &path) const
{
    return m_refused.value(path);
}

bool FileHistory::firstReadFailure(const QString &path)
{
    if (m_reported.contains(path))
        return false;
    m_reported.insert(path);
    return true;
}

#include "FileHistory.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

// The state of a readable file, or nothing for a folder or a file that
// cannot be read.
std::optional<FileHistory::State> readableState(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return FileHistory::State{};
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file) || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return FileHistory::State{true, hash.result()};
}

} // namespace

void FileHistory::remember(const QString &path)
{
    if (const std::optional<State> state = readableState(path))
        m_states.insert(path, *state);
    else
        m_states.remove(path);
}

bool FileHistory::changedBehindTheTool(const QString &path) const
{
    const auto known = m_states.constFind(path);
    if (known == m_states.constEnd())
        return false;
    const std::optional<State> now = readableState(path);
    return now && *now != *known;
}

bool FileHistory::firstReadFailure(const QString &path)
{
    if (m_reported.contains(path))
        return false;
    m_reported.insert(path);
    return true;
}

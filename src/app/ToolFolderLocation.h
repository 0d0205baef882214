#pragma once

#include "files/Result.h"

#include <QString>

#include <optional>

// The tool folder, where kvxserver.conf, motd.txt and KVXServer.exe lie: the
// folder of the tool's executable, found once at start-up. When it cannot be
// found the tool says so and ends; it never takes another folder (the
// current one) in its place.

// The folder (absolute) of an executable at `executablePath`, which must be
// an existing folder. Without a path (the platform could not give one, or
// gave one the system's encoding cannot spell) there is no tool folder.
Result<QString> toolFolderOf(const std::optional<QString> &executablePath);

// The running executable's path, exactly as the platform names it, or
// nothing when that name cannot be held as text without change.
std::optional<QString> runningExecutablePath();

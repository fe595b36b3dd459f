#pragma once
// The symbolic link that gives the simulator's pseudo-terminal a fixed name (--link).
// Only a symbolic link is ever replaced or removed: whatever else stands at the path (a
// file, a folder) is left as it is.

#include <QString>

// Makes `link` a symbolic link to `target`. A symbolic link already at `link` (one left by
// an earlier run) is replaced; for anything else there, or when the link cannot be made,
// nothing is changed and `error` says why.
bool makeDeviceLink(const QString &link, const QString &target, QString *error);

// Removes `link` if it is still a symbolic link to `target`; true when it was removed.
bool removeDeviceLink(const QString &link, const QString &target);

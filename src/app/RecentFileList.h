#pragma once

#include <QStringList>

namespace velutra {

// The settings store's list of recently used compressor files, newest first. It is kept up to
// date but no menu shows it.
class RecentFileList {
public:
    static constexpr int kMaxEntries = 4;

    // Puts a path at the top; an entry for the same file moves up instead of repeating.
    void Add(const QString& path);
    QStringList Files() const;
};

} // namespace velutra

#include "app/RecentFileList.h"

#include "app/AppSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace velutra {

namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString Key(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace

void RecentFileList::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = Files();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kMaxEntries)
        files.removeLast();

    QSettings settings(kSettingsOrganisation, kSettingsApplication);
    settings.remove(kGroup);
    settings.beginGroup(kGroup);
    for (int i = 0; i < files.size(); ++i)
        settings.setValue(Key(i), files[i]);
    settings.endGroup();
}

QStringList RecentFileList::Files() const {
    QSettings settings(kSettingsOrganisation, kSettingsApplication);
    settings.beginGroup(kGroup);
    QStringList files;
    for (int i = 0; i < kMaxEntries; ++i) {
        const QString file = settings.value(Key(i)).toString();
        if (!file.isEmpty())
            files.append(file);
    }
    return files;
}

} // namespace velutra

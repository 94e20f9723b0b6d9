#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The configurations last opened or saved, newest first, kept in the settings store.
class TRecentFiles {
public:
    static constexpr int MaxFiles = 8;
    static inline const QString SettingsKey = QStringLiteral("RecentFiles");

    explicit TRecentFiles(QSettings& store) : store_(store) {}

    QStringList Files() const;
    // The file goes to the top (once, by its full path); the oldest beyond the limit drop off.
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void Store(const QStringList& files);

    QSettings& store_;
};

// The File menu entry of the n-th (1..8) recent file: "&1 C:/sites/north.QEM".
QString RecentFileCaption(int number, const QString& path);
// Told when a recent file has gone since it was listed.
QString RecentFileGoneMessage(const QString& path);

#include "platform/history_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <cstdio>

namespace swatchly {

HistoryFile::HistoryFile(const QString& path) : m_path(path) {}

QString HistoryFile::beside(const QString& settingsPath) {
    return QFileInfo(settingsPath).dir().filePath(QStringLiteral("history.json"));
}

History HistoryFile::picks() {
    QFile file(m_path);
    if (!file.exists()) return {};
    std::optional<History> read;
    if (file.open(QIODevice::ReadOnly)) read = readHistoryJson(file.read(1 << 20));
    if (read) return *read;
    file.close();
    // Kept for the user to look at, never written over: a fresh history starts beside it.
    QFile::remove(m_path + QStringLiteral(".bad"));
    const bool aside = QFile::rename(m_path, m_path + QStringLiteral(".bad"));
    std::fprintf(stderr, "swatchly: %s is no history of picks%s; a new one is started\n",
                 qPrintable(QDir::toNativeSeparators(m_path)), aside ? ", kept aside as .bad" : "");
    return {};
}

History HistoryFile::remember(Channels colour) {
    QDir().mkpath(QFileInfo(m_path).path());
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.tryLock(2000);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const History history = swatchly::remember(picks(), colour, now.addMSecs(-now.time().msec()));
    QSaveFile file(m_path);
    if (!(file.open(QIODevice::WriteOnly) && file.write(historyJson(history)) >= 0 &&
          file.commit()))
        std::fprintf(stderr, "swatchly: the pick could not be kept in %s: %s\n",
                     qPrintable(QDir::toNativeSeparators(m_path)), qPrintable(file.errorString()));
    return history;
}

}  // namespace swatchly

#pragma once
// The history of picks on disk: history.json beside the settings file, written whole and
// atomically on each pick, under a lock that other Swatchly processes take too.

#include <QString>

#include "colour/history.h"

namespace swatchly {

class HistoryFile {
  public:
    explicit HistoryFile(const QString& path);
    // history.json in the folder of the settings file at `settingsPath`.
    static QString beside(const QString& settingsPath);

    // The picks as the file holds them now, newest first. A file that is no history is kept
    // aside as <path>.bad, said in one line on standard error, and a fresh history started.
    History picks();
    // `colour` picked now, written at once; the history as it then stands.
    History remember(Channels colour);

  private:
    QString m_path;
};

}  // namespace swatchly

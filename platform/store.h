#pragma once
// What the user keeps between runs, in the standard per-user configuration file
// ($XDG_CONFIG_HOME/swatchly/swatchly.conf): the swatch slots, the gradient's ends and the
// options. Each value is written as it changes, atomically (the old file or the new one, never
// half of one), and merged with what other Swatchly processes wrote meanwhile.

#include <QPoint>
#include <QSettings>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "colour/swatches.h"

namespace swatchly {

class Store {
  public:
    // The file at `path`, read now. What is bad in it (a file that cannot be read or parsed, a
    // value out of range) is left out for its default and said in one line on standard error,
    // and the file is kept beside as <path>.bad before anything is written over it.
    explicit Store(const QString& path = defaultPath());
    static QString defaultPath();
    const QString& path() const { return m_path; }

    // The slots as the file holds them now, which another process may have changed.
    Slots swatches();
    // Changes the slots as `change` says, on what the file holds now, under a lock that other
    // Swatchly processes take too, so that none of their writes is lost. Returns the new slots.
    Slots updateSlots(const std::function<void(Slots&)>& change);

    // A gradient end: the three channel texts of its drop, as typed; none for an end never set.
    std::optional<QStringList> gradientEnd(bool right) const;
    void setGradientEnd(bool right, const QStringList& texts);

    // The options the user turns on and off, each with its own default.
    enum class Option { Magnifier, ShowSwatches, CopyOnPick, KeepPicks };
    bool option(Option option) const;
    void setOption(Option option, bool on);
    // The form Edit > Copy writes, as ColourForm::make takes it.
    QString copyForm() const;
    void setCopyForm(const QString& form);

    // The square a pick averages over, device pixels a side (1, 3, 5, 7 or 9; 1 at first).
    int averageSize() const;
    void setAverageSize(int size);

    std::optional<QPoint> position() const;
    void setPosition(QPoint topLeft);

  private:
    void write(const QString& key, const QVariant& value);
    void written();
    bool valid(const QString& key) const;

    QString m_path;
    std::unique_ptr<QSettings> m_settings;
    QStringList m_bad;           // keys whose values are left out
    bool m_cannotWrite = false;  // said once
};

}  // namespace swatchly

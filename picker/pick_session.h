#pragma once
// A pick of a colour from the screen, as Grab Color and --pick both make one: the screen read
// around the pointer at each tick, the loupe beside the pointer showing what was read, and the
// end of the pick. Where the screen cannot be read, the desktop's own picker picks.

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>

#include "platform/services.h"

class QKeyEvent;
class QWheelEvent;
class QWidget;

namespace swatchly {

class Magnifier;

class PickSession : public QObject {
    Q_OBJECT
  public:
    explicit PickSession(ScreenProbe& probe, QObject* parent = nullptr);
    ~PickSession() override;

    ScreenProbe& probe() const { return m_probe; }

    // Whether the loupe shows what each sample read (Options > Magnifier). Off, it goes.
    void setLoupeShown(bool shown);
    // The square each sample averages over, in linear light: 1 (the pixel alone), 3, 5, 7 or 9
    // device pixels a side. Any other size is taken as the nearest of those below it.
    void setAverage(int size);
    int average() const { return m_average; }
    // The next size up or down, as the wheel steps it.
    void stepAverage(int steps);
    // A key or a wheel turn that chooses the square (1, 3, 5, 7, 9; Ctrl with the wheel), the
    // loupe's zoom (+ and -; the wheel) or freezes and thaws the screen (Space), taken; false for
    // any other.
    bool choose(const QKeyEvent* key);
    bool choose(const QWheelEvent* wheel);

    // The loupe's device pixels a square, Magnifier::kMinZoom to kMaxZoom (8 at first); the
    // read square grows or shrinks so that the loupe keeps its size.
    void setZoom(int zoom);
    int zoom() const { return m_zoom; }

    // Frozen, each sample takes the pixels from one read of the screen made when the freeze
    // began, wherever the pointer goes: what hovering changes stays as it was. The read waits
    // a tick while the loupe is shown, for the screen under it to repaint without it.
    void freeze(bool on);
    bool isFrozen() const { return m_freezing || !m_frozen.isNull(); }

    // The milliseconds announcements are spaced by; a test's own clock in place of the steady
    // one.
    void setClock(std::function<qint64()> now) { m_now = std::move(now); }
    // The loupe, once a sample has shown it.
    Magnifier* loupe() const { return m_loupe.get(); }

    // A sample every 100 ms until stop() or the end of the pick.
    void startTicking();
    void stop();
    bool isTicking() const { return m_ticks.isActive(); }

    // One read of the screen around the pointer, whose pixel under the pointer (or the average
    // of the square around it) it gives: the loupe shows the read. Nothing where the screen could
    // not be read, or where the pointer ran into the loupe, which then steps aside and the next
    // tick reads again.
    std::optional<std::int32_t> sample();
    // The pixel under the pointer, or the average of the square round it, read now, without
    // the loupe.
    std::optional<std::int32_t> readUnderPointer();
    // The pointer as the last sample found it.
    QPoint pointer() const { return m_pointer; }
    // Whether the loupe stands over the pixels around `pointer`; it then steps aside, and the
    // window under it needs a moment to paint itself again before it is read.
    bool loupeStepsAside(QPoint pointer);

    // Where the screen cannot be read: the desktop's picker picks, for `window` where given.
    void pickWithDesktop(QWidget* window);
    // The pick is over: ticks stop, the loupe goes, and the signal for the result is raised.
    void finish(const PickResult& result);

  signals:
    void picked(swatchly::Channels colour);
    void cancelled();
    void unavailable(const QString& why);
    // The user chose another square to average over; the owner keeps it.
    void averageChanged(int size);
    // For screen readers: the colour under the loupe by its name, when it changed and at most
    // twice a second, and the colour picked, once, when the pick ends.
    void announce(const QString& text);

  private:
    // What a read gives: its centre pixel, or the mean of the square round it.
    std::optional<std::int32_t> taken(const QImage& region) const;
    // The square of `radius` round the pointer: read now, or cut from the frozen read.
    QImage regionUnderPointer(int radius);

    ScreenProbe& m_probe;
    QTimer m_ticks;
    bool m_loupeShown = true;
    std::unique_ptr<Magnifier> m_loupe;
    QPoint m_pointer;
    int m_average = 1;
    int m_zoom = 8;
    bool m_freezing = false;
    QImage m_frozen;  // the screen round m_frozenAt when the freeze began
    QPoint m_frozenAt;
    void speak(Channels colour);
    std::function<qint64()> m_now;
    QString m_spoken;  // the last text announced while sampling
    std::optional<qint64> m_spokenAt;
};

}  // namespace swatchly

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
    // The loupe, once a sample has shown it.
    Magnifier* loupe() const { return m_loupe.get(); }

    // A sample every 100 ms until stop() or the end of the pick.
    void startTicking();
    void stop();
    bool isTicking() const { return m_ticks.isActive(); }

    // One read of the screen around the pointer, whose pixel under the pointer it gives: the
    // loupe shows the read. Nothing where the screen could not be read, or where the pointer
    // ran into the loupe, which then steps aside and the next tick reads again.
    std::optional<std::int32_t> sample();
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

  private:
    ScreenProbe& m_probe;
    QTimer m_ticks;
    bool m_loupeShown = true;
    std::unique_ptr<Magnifier> m_loupe;
    QPoint m_pointer;
};

}  // namespace swatchly

#pragma once
// The Qt implementations of the desktop services.

#ifdef SWATCHLY_HAVE_PORTAL
#include <QDBusConnection>
#endif
#include <QList>
#include <QRect>
#include <optional>

#include "platform/services.h"

namespace swatchly {

class PortalColourPicker;

// How a session gives the colour under the pointer: the screen can be read (X11, Windows), or
// only the desktop's picker can (Wayland; also an X11 program on a Wayland desktop, which sees
// only other X11 programs' pixels, where the desktop portal offers a picker).
bool sessionReadsScreen(const QString& platformName, bool waylandSession,
                        const std::function<bool()>& portalOffersPick);

// A device pixel position on the desktop in the logical pixels QCursor::pos() gives, on screens
// of these logical geometries and device pixel ratios; nothing where it is on none.
std::optional<QPoint> logicalPosition(QPoint device, const QList<std::pair<QRect, qreal>>& screens);

class QtScreenProbe : public ScreenProbe {
  public:
#ifdef SWATCHLY_HAVE_PORTAL
    // `bus` is where the desktop portal is asked, the session bus unless given.
    explicit QtScreenProbe(std::optional<QDBusConnection> bus = std::nullopt);
#else
    QtScreenProbe();
#endif
    ~QtScreenProbe() override;
    std::int64_t activeWindow() override;
    QPoint cursorPos() override;
    void movePointer(QPoint by) override;
    bool holdPointerAndKeyboard(QWidget* window, bool* forGood) override;
    QImage regionAt(QPoint screenPos, int radius) override;
    QImage regionUnderPointer(int radius, QPoint* pointer = nullptr) override;
    bool readsScreen() override;
    void pickColour(QWidget* window, std::function<void(PickResult)> done) override;

  private:
#ifdef SWATCHLY_HAVE_PORTAL
    PortalColourPicker& picker();
    std::optional<QDBusConnection> m_bus;
    std::unique_ptr<PortalColourPicker> m_picker;
#endif
    std::optional<bool> m_readsScreen;  // decided once per session, on first use
};

// Where a global position lies on a desktop of several screens: the index of the screen
// (in the order of the geometries given) and the position relative to its top-left corner.
struct ScreenSpot {
    qsizetype screen;
    QPoint local;
};
// Screens left of or above the primary have negative origins. A position just past a screen's
// right or bottom edge, where rounding a scaled pointer position can put it, counts as that
// screen's last pixel. Nothing when the position is on no screen.
std::optional<ScreenSpot> locateOnScreens(const QList<QRect>& geometries, QPoint pos);

class QtWindowManager : public WindowManager {
  public:
    void startMove(QWidget* window) override;
    void setStayOnTop(QWidget* window, bool onTop) override;
    bool canStayOnTop() override;
};

class QtShell : public Shell {
  public:
    bool open(const QString& address) override;
};

class QtMessageBox : public MessageBox {
  public:
    void show(QWidget* parent, const QString& text, int style, const QString& title) override;
};

class QtFileChooser : public FileChooser {
  public:
    QString fileToSave(QWidget* parent, const QString& title, const QString& suggested,
                       const QString& filter) override;
    QString fileToOpen(QWidget* parent, const QString& title, const QString& folder,
                       const QString& filter) override;
};

// Announcements as AT-SPI's Object:Announcement events on the accessibility bus, which Qt 6.4's
// bridge cannot send; nothing where there is no such bus (Windows, no session).
class AtspiAnnouncer : public Announcer {
  public:
    AtspiAnnouncer();
    ~AtspiAnnouncer() override;
    void announce(const QString& text) override;

  private:
    struct Bus;
    std::unique_ptr<Bus> m_bus;
};

}  // namespace swatchly

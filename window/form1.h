#pragma once
// The one window of the program. Every control and menu item is a member whose object name is
// its member name, and every event handler and method is a Qt slot named <control>_<event>, so
// tests and scripts can find controls with findChild and invoke handlers by name. Its members
// are defined in the form1_*.cpp files beside this header, one an area of the window.

#include <QAction>
#include <QGroupBox>
#include <QMainWindow>
#include <QMenu>
#include <QPoint>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "colour/forms.h"
#include "colour/history.h"
#include "colour/swatches.h"
#include "platform/history_file.h"
#include "platform/services.h"
#include "runtime/controls.h"
#include "runtime/rgb.h"
#include "runtime/variant.h"

namespace swatchly {

class ContrastView;
class PickSession;

class Form1 : public QMainWindow {
    Q_OBJECT
  public:
    // Services left empty get their Qt implementation.
    explicit Form1(Services services = {}, QWidget* parent = nullptr);
    ~Form1() override;

    // The client area under the menu bar, in twips. The window keeps this plus the menu bar;
    // the window manager's frame comes on top.
    static constexpr int kClientWidthTwips = 4440, kClientHeightTwips = 3825;

    // ---- controls, earlier ones drawn in front
    Timer* Timer2;
    PictureBox* NewPrev;
    TextBox *Rtxt, *Gtxt, *Btxt;
    QPushButton* RGBSet;
    TextBox *HexVal, *VbVal;
    QPushButton *HexSet, *VbSet;
    PictureBox* Picture1;
    Timer* Timer1;
    QPushButton* GetPixelbtn;
    TextBox* activetxt;
    PictureBox *SaveC1, *SaveC2, *SaveC3, *SaveC4, *SaveC5, *SaveC6, *SaveC7;
    PictureBox *Gradient, *GradientL, *GradientR;
    ScrollBar* TScroll;
    PictureBox *BPrev, *GPrev, *RPrev;
    ScrollBar *BScroll, *GScroll, *RScroll;
    QGroupBox* Frame2;
    Label *Label3, *Label2, *Label1;
    QGroupBox* Frame1;
    TextBox* Text1;
    Label *Label8, *Label5, *Label6, *Label4, *Label7, *Label9;
    // ---- menus: File, Edit, Options
    QMenu* f;
    QAction *importSwatchesAction, *exportSwatchesAction, *exportRecentAction;
    QAction *abt, *ext;
    QMenu* editMenu;
    QAction* copyAction;
    QMenu* copyAsMenu;  // filled when first shown: a submenu a group, an item a named form
                        // (copyAs_html, copyAs_vb, ...)
    QAction* pasteAction;
    QAction* contrastAction;  // opens contrastView, built then
    QMenu* recentMenu;        // the last 20 picks, filled as it opens: recent_1 (newest), ...
    QMenu* opt;
    QAction* stay;
    QAction* magnifierAction;     // the loupe while grabbing
    QAction* copyOnPickAction;    // a finished pick goes to the clipboard too
    QAction* keepPicksAction;     // a finished pick goes into the first slot too
    QAction* showSwatchesAction;  // the window grows to show the slots and the strip

    // Grab Color's picks: the screen read at each tick of Timer1, and the loupe.
    PickSession* pickSession;
    ContrastView* contrastView = nullptr;

    // ---- form-level fields (public so that tests can read them)
    QString ToneActive;           // "no" while a channel Change handler runs
    std::int32_t ToneBase = 0;    // the tone slider position SetTone set last
    Variant DragR, DragG, DragB;  // channel texts captured by the last DragOver of NewPrev
    Variant GradLeftR, GradLeftG, GradLeftB;
    Variant GradRightR, GradRightG, GradRightB;
    QPoint GrabPoint;            // pointer position of the last grab tick
    std::int32_t GrabColor = 0;  // pixel of the last grab tick
    ColourForm CopyForm;         // the form Copy writes, the last one picked under Copy As

    // Our home page (Label7's caption and the link's target) and contact address.
    static const QString kHomePage;
    static const QString kContactEmail;
    // What VbSet says when the typed text holds a pair that is not two hexadecimal digits.
    static const QString kNotHexColour;
    // Grab Color's message where neither the screen nor a desktop picker can give a colour.
    static const QString kNoColourPicker;
    // The text of the help box.
    static QString helpText();

    const Services& services() const { return m_services; }

  public slots:
    // start-up and frame
    void Form_Load();
    void Form_Resize();
    void Form_MouseDown();
    void abt_Click();
    void ext_Click();
    void stay_Click();
    void Label7_MouseDown();
    void Timer2_Timer();
    void Text1_GotFocus();

    // current colour
    void SetPrev(const swatchly::Variant& RVal, const swatchly::Variant& GVal,
                 const swatchly::Variant& BVal);
    void SetBars(const swatchly::Variant& RVal, const swatchly::Variant& GVal,
                 const swatchly::Variant& BVal);
    void SetBarsFromLongColor(std::int32_t longcolor);
    void RScroll_Change();
    void GScroll_Change();
    void BScroll_Change();
    void RScroll_Scroll();
    void GScroll_Scroll();
    void BScroll_Scroll();

    // colour text
    void SetHex(const swatchly::Variant& RVal, const swatchly::Variant& GVal,
                const swatchly::Variant& BVal);
    void SetVb(const swatchly::Variant& RVal, const swatchly::Variant& GVal,
               const swatchly::Variant& BVal);
    void RGBSet_Click();
    void HexSet_Click();
    void VbSet_Click();
    void HexVal_Change();
    void Rtxt_GotFocus();
    void Gtxt_GotFocus();
    void Btxt_GotFocus();
    void HexVal_GotFocus();
    void VbVal_GotFocus();

    // grab
    void GetPixelbtn_Click();
    void Timer1_Timer();
    void Gradient_Click();
    void GradientL_Click();
    void GradientR_Click();

    // clipboard
    void copyAction_Click();
    void pasteAction_Click();
    void copyAs(const QString& form);

    // tone
    void TScroll_Change();
    void TScroll_Scroll();
    void DarkerLighter(std::int32_t plusval);
    void SetTone();

    // swatches and gradient
    void NewPrev_DragOver();
    void SaveC1_DragDrop();
    void SaveC2_DragDrop();
    void SaveC3_DragDrop();
    void SaveC4_DragDrop();
    void SaveC5_DragDrop();
    void SaveC6_DragDrop();
    void SaveC7_DragDrop();
    void SaveC1_DblClick();
    void SaveC2_DblClick();
    void SaveC3_DblClick();
    void SaveC4_DblClick();
    void SaveC5_DblClick();
    void SaveC6_DblClick();
    void SaveC7_DblClick();
    void GradientL_DragDrop();
    void GradientR_DragDrop();
    void DrawGradient();
    void Gradient_DblClick();
    void showSwatchesAction_Click();
    void exportSwatchesAction_Click();
    void importSwatchesAction_Click();
    void contrastAction_Click();
    void exportRecentAction_Click();
    // The kept slots written to a file of the kind its name asks for (a GIMP palette, CSS custom
    // properties or JSON; a palette for any other name), or read from a palette into the slots;
    // a message says what went wrong.
    void exportSwatches(const QString& path);
    void importSwatches(const QString& path);

  private:
    // HexSet and VbSet: the box's text read by `read` and applied, or black.
    using HexReader = std::optional<Channels> (*)(const QString&);
    void applyHexText(TextBox* box, HexReader read, const QString& black, bool tellBadPair);
    // swatches and gradient: the drag source, and one body for each family of handlers
    void setUpDragSource();
    void dropOnSwatch(PictureBox* slot);
    void recallSwatch(PictureBox* slot);
    void dropOnGradientEnd(PictureBox* end, Variant& red, Variant& green, Variant& blue);
    // Enter in a box applies its row as the row's Set does.
    void applyRow(TextBox* box);
    // The menu bar and every item on it (form1_menus.cpp).
    void buildMenus();
    void addCopyAsMenu();
    void fillCopyAsMenu();
    void addRecentMenu();
    // Writes `colours` to `path` as its name asks; says in a message when it cannot.
    void exportColours(const QString& path, const History& colours, const QString& prefix,
                       const QString& what);
    // What the store kept, taken in at start.
    void restoreKept();
    void showSlots(const Slots& slots);
    std::array<PictureBox*, 7> swatchSlots() const;
    // Shown, the client area grows to take in the slots, the strip and the channel previews;
    // hidden, every control is back at its own place.
    void layoutSwatches(bool shown);
    // A pick has ended on `colour`: it becomes current, and Keep Picks and Copy on Pick act.
    void picked(Channels colour);
    // Grab mode on and off: Timer1's Enabled is written only together with its Interval.
    void grabOn();
    void grabOff();

  protected:
    void moveEvent(QMoveEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    void build();  // the controls, their places and names (form1.cpp)
    void wire();   // events to handlers (form1.cpp)
    void DragForm(QWidget* window);
    bool ShellOpen(const QString& file, const QString& verb, const QString& parameters,
                   const QString& directory, std::int32_t showCmd);
    // One channel's Change handler; the three differ only in what they name.
    void channelChange(PictureBox* preview, ScrollBar* bar, TextBox* box,
                       std::int16_t Channels::*channel);
    void selectAll(TextBox* box);

    Services m_services;
    bool m_inResize = false;
    // Where the controls that Show Swatches moves stand without it, and whether the strip waits
    // to be drawn from ends restored at start until it is shown.
    std::vector<std::pair<QWidget*, QRect>> m_defined;
    bool m_stripPending = false;
    QString m_previewHint;
    Slots m_shownSlots;  // as the slots show them, for the Contrast view
    std::unique_ptr<HistoryFile> m_history;  // beside the store's file  // what the big preview is for, under its colour's name
    QTimer* m_savePosition = nullptr;
};

}  // namespace swatchly

// The window on the offscreen platform, its desktop services faked. Most cases are scripts of
// user steps played on the shown window, each with what the window shows afterwards.

#include <QAccessible>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QToolTip>
#include <QWindow>
#include <QtTest>

#include "fakes.h"
#include "picker/magnifier.h"
#include "picker/pointer_pick.h"
#include "platform/clipboard.h"
#include "window/contrast_view.h"
#include "window/form1.h"
#include "window/style.h"

using namespace swatchly;

namespace {

QString html(int r, int g, int b) { return QString::asprintf("#%02X%02X%02X", r, g, b); }
QString html(int packed) { return html(packed & 255, packed >> 8 & 255, packed >> 16 & 255); }

template <typename Event>
void send(QWidget* to, const QMimeData* data) {
    Event e(QPoint(3, 3), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(to, &e);
}

}  // namespace

class TestWindow : public QObject {
    Q_OBJECT
    Fakes fakes;
    std::unique_ptr<Form1> w;
    QList<int> unhandled;
    QStringList events;  // errors, and message boxes with the window as it was while open
    qint64 now = 0;      // the clock announcements are spaced by, after a clock step

    // What the window shows besides the colour of its bars: each thing that differs from a window
    // just given that colour, as "what:value", and the notes taken on the way.
    //   Rtxt:text ... Text1:text  a box whose text is not the colour's own
    //   TScroll:N                 the tone slider off the channels' median
    //   previews:off              a channel preview not showing its channel alone
    //   grab                      grab mode on: Timer1 ticking every 100 ms
    //   GetPixelbtn:out of step   Grab Color's pressed look not matching grab mode
    //   loupe:#RRGGBB             the loupe showing, with the text it shows
    //   reach:N                   grabbing with the loupe, the last read not 5 pixels round
    //   clip:text clipcolour:#RRGGBB   what the clipboard holds as text and as a colour
    //   tip:text                  a tooltip showing
    //   ontop:on ontop:off        each request to keep the window on top or not, in order
    //   moves:N                   interactive moves asked of the window manager
    //   opened:N                  web addresses opened, each the home page
    //   stay:on magnifierAction:off copyOnPickAction:on keepPicksAction:on
    //   showSwatchesAction:on     an Options check mark that is not as at the first start
    //   copy:form                 the Copy form, when it is not html
    //   contrast:against ratio verdicts...   the Contrast view open: a row a pair with a colour
    //   seen:current swatches|...            and its colours, a row a way of seeing
    //   client:WxH                the client area, when it is not 296x255
    //   SaveC1:#RRGGBB ... GradientR:#RRGGBB   a slot or gradient end that is not black
    //   message:Style #RRGGBB what...          a message box (OkOnly, Information) and what
    //                                          the window showed while it was open
    // and the notes of the trace, strip= and ^bar= steps (below).
    QStringList look() {
        const int r = w->RScroll->Value(), g = w->GScroll->Value(), b = w->BScroll->Value();
        const int median = r + g + b - std::max({r, g, b}) - std::min({r, g, b});
        QStringList s{html(r, g, b)};
        const QString own[] = {QString::number(r), QString::number(g), QString::number(b),
                               html(r, g, b), QString::asprintf("&H%02X%02X%02X&", b, g, r)};
        const TextBox* texts[] = {w->Rtxt, w->Gtxt, w->Btxt, w->HexVal, w->VbVal, w->Text1};
        for (int i = 0; i < 6; ++i)
            if (texts[i]->text() != own[i == 5 ? 3 : i])
                s << texts[i]->objectName() + ":" + texts[i]->text();
        if (w->TScroll->Value() != median) s << QString("TScroll:%1").arg(w->TScroll->Value());
        if (w->RPrev->BackColor() != r || w->GPrev->BackColor() != g << 8 ||
            w->BPrev->BackColor() != b << 16)
            s << "previews:off";
        const bool grabbing = w->Timer1->Interval() == 100 && w->Timer1->isTicking();
        if (grabbing) s << "grab";
        if (w->GetPixelbtn->isChecked() != grabbing) s << "GetPixelbtn:out of step";
        if (grabbing && w->magnifierAction->isChecked() && fakes.probe->reach != Magnifier::kRadius)
            s << QString("reach:%1").arg(fakes.probe->reach);
        if (Magnifier* loupe = w->pickSession->loupe(); loupe && loupe->isVisible())
            s << "loupe:" + loupe->findChild<QLabel*>()->text();
        const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
        if (clip && clip->hasText()) s << "clip:" + clip->text();
        if (clip && clip->hasColor())
            s << "clipcolour:" + clip->colorData().value<QColor>().name().toUpper();
        if (QToolTip::isVisible()) s << "tip:" + QToolTip::text();
        for (bool on : fakes.windowManager->stayOnTopCalls) s << (on ? "ontop:on" : "ontop:off");
        if (int n = fakes.windowManager->moves) s << QString("moves:%1").arg(n);
        if (int n = fakes.shell->opened.count(Form1::kHomePage)) s << QString("opened:%1").arg(n);
        for (auto [option, byDefault] : {std::pair{w->stay, false},
                                         {w->magnifierAction, true},
                                         {w->copyOnPickAction, false},
                                         {w->keepPicksAction, false},
                                         {w->showSwatchesAction, false}})
            if (option->isChecked() != byDefault)
                s << option->objectName() + (byDefault ? ":off" : ":on");
        if (w->CopyForm.name() != "html") s << "copy:" + w->CopyForm.name();
        if (const QSize c = w->centralWidget()->size(); c != QSize(296, 255))
            s << QString("client:%1x%2").arg(c.width()).arg(c.height());
        if (w->contrastView && w->contrastView->isVisible()) {
            QTableWidget* pairs = w->contrastView->pairs;
            for (int row = 0; row < pairs->rowCount(); ++row) {
                QStringList cells{pairs->verticalHeaderItem(row)->text()};
                for (int column = 1; column < pairs->columnCount(); ++column)
                    cells << pairs->item(row, column)->text();
                if (!cells.last().isEmpty()) s << "contrast:" + cells.join(' ');
            }
            QStringList seen;  // a row a way of seeing, the empty slots left out
            for (int row = 0; row < 4; ++row) {
                QStringList cells;
                for (int column = 0; column < 8; ++column)
                    if (QString t = w->contrastView->vision->item(row, column)->text();
                        t != "empty")
                        cells << t;
                seen << cells.join(' ');
            }
            s << "seen:" + seen.join('|');
        }
        static const QRegularExpression kept("^(SaveC\\d|Gradient[LR])$");
        for (PictureBox* p : w->findChildren<PictureBox*>(kept))
            if (int c = p->BackColor()) s << p->objectName() + ":" + html(c);
        return s + events;
    }

    // Plays a script of user steps on the shown window, steps parted by blanks, a key going to an
    // open menu before the focus widget. `check` runs after each step, with the step.
    //
    // step          | does                                                  | example
    // 'text'        | types into the focus box, whose text is all selected  | 'ff8000'
    // "text"        | types at the cursor of the focus box                  | "1"
    // control       | clicks it, the pointer wavering before the release    | HexSet
    // control*2     | double-clicks it                                      | SaveC3*2
    // handler       | calls the window's slot of that name                  | Gradient_Click
    // menu item     | triggers the window's action of that name             | copyAs_vb
    // choose=item   | opens the item's menu from the menu bar, Return on it | choose=stay
    // L@x,y R@ M@   | double-clicks that button at a point of the client    | R@292,60
    // >control      | drags the preview and drops it on the control         | >SaveC1
    // ~control      | drops another program's colour on the control         | ~GradientR
    // ^bar          | presses and releases a bar's thumb                    | ^RScroll
    // ^bar=a,b      | drags the thumb to a then b, noting the preview at    | ^TScroll=10,200
    //               | each (thumb@10:#00000A)                               |
    // =r,g,b        | calls SetBars                                         | =10,20,30
    // long=N        | calls SetBarsFromLongColor                            | long=305419896
    // locale=name   | sets the user's locale                                | locale=de_DE
    // clip=text     | puts the text on the clipboard, _ a blank             | clip=34
    // named         | notes the preview's tooltip and description's name    | named
    // recent        | notes Edit > Recent Colours' items (recent_1 newest)  | recent
    // clock         | announcements timed by the test's clock from now on   | clock
    // later         | that clock 600 ms on                                  | later
    // said          | notes what screen readers were told, | between       | said
    // clipcolour=c  | puts a colour alone on the clipboard                  | clipcolour=#123456
    // trace         | notes each bar's Change with the preview or ToneActive| trace
    //               | (RScroll_Change:#0A0000, TScroll_Change:no)           |
    // strip=x,...   | notes the strip's colour at those columns (strip@0:…) | strip=0,254
    // px=N          | every screen pixel is N (packed, top byte alpha)      | px=255
    // px=-          | reads of the screen fail                              | px=-
    // px=checker    | a 1-pixel checkerboard, white under the pointer       | px=checker
    // wheel=N       | turns the wheel N notches with Ctrl over the window   | wheel=-1
    // roll=N        | turns it without Ctrl                                 | roll=2
    // active=N      | the active window the probe reports (ours is 7)       | active=0
    // desktop=r,g,b | no screen pixels; the desktop's picker gives r,g,b    | desktop=1,2,3
    // restart       | a new window on the same store, as the next start     | restart
    // nobrowser     | no web browser is set up                              | nobrowser
    // tick          | waits for a grab tick                                 | tick
    // menu          | opens the focus widget's context menu                 | menu
    // link          | presses the link as assistive technology does        | link
    // key[*n]       | a key by its QKeySequence name, n times, to the focus | Tab*3, Ctrl+V
    void run(const QString& script, const std::function<void(const QString&)>& check = {}) {
        static const QRegularExpression steps("'[^']*'|\"[^\"]*\"|\\S+");
        for (const QRegularExpressionMatch& m : steps.globalMatch(script)) {
            const QString step = m.captured(), arg = step.section(QRegularExpression("[=@]"), 1);
            const QString name = step.section(QRegularExpression("[*=]"), 0, 0)
                                     .mid(QString("~>^").contains(step[0]));
            auto focus = [] {
                QWidget* popup = QApplication::activePopupWidget();
                return popup ? popup : QApplication::focusWidget();
            };
            if (step.startsWith("copyAs_")) emit w->copyAsMenu->aboutToShow();  // as opened
            if (step.startsWith("recent")) emit w->recentMenu->aboutToShow();
            QWidget* control = w->findChild<QWidget*>(name);
            const std::unique_ptr<QMimeData> data = colourMimeData({}, "#000000");
            markControlDrag(*data);
            if (step[0] == '\'' || step[0] == '"') {
                auto* box = qobject_cast<QLineEdit*>(focus());
                QVERIFY2(box && (step[0] == '"' || box->selectedText() == box->text()),
                         qPrintable(step));
                for (QChar c : step.mid(1).chopped(1)) {
                    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                    QApplication::sendEvent(box, &key);
                }
            } else if (w->metaObject()->indexOfSlot(qPrintable(step + "()")) >= 0) {
                QMetaObject::invokeMethod(w.get(), qPrintable(step));
            } else if (auto* action = w->findChild<QAction*>(step)) {
                action->trigger();
            } else if (step[0] == '=') {
                w->SetBars(arg.section(',', 0, 0), arg.section(',', 1, 1), arg.section(',', 2));
            } else if (step.startsWith("long=")) {
                w->SetBarsFromLongColor(arg.toInt());
            } else if (step.startsWith("choose=")) {
                QAction* item = w->findChild<QAction*>(arg);
                auto* menu = qobject_cast<QMenu*>(item->parent());
                w->menuBar()->setActiveAction(menu->menuAction());
                QTRY_VERIFY(menu->isVisible());
                menu->setActiveAction(item);
                QTest::keyClick(menu, Qt::Key_Return);
            } else if (step.startsWith("clip=")) {
                QGuiApplication::clipboard()->setText(QString(arg).replace('_', ' '));
            } else if (step == "clock") {
                w->pickSession->setClock([this] { return now; });
            } else if (step == "later") {
                now += 600;
            } else if (step == "said") {
                events << "said:" + fakes.announcer->said.join('|');
            } else if (step == "recent") {
                QStringList items;
                for (QAction* item : w->recentMenu->actions()) items << item->text();
                events << "recent:" + items.join(' ');
            } else if (step == "named") {
                const QString tip = w->NewPrev->toolTip();
                QCOMPARE(w->NewPrev->accessibleDescription(), tip);
                events << "named:" + tip.section('\n', 0, 0);
            } else if (step.startsWith("clipcolour=")) {
                auto* colour = new QMimeData;
                colour->setColorData(QColor(arg));
                QGuiApplication::clipboard()->setMimeData(colour);
            } else if (step == "nobrowser") {
                fakes.shell->opens = false;
            } else if (step == "restart") {
                fakes.store = std::make_shared<Store>(fakes.home->filePath("swatchly.conf"));
                w = std::make_unique<Form1>(fakes.services());
            } else if (step.startsWith("desktop=")) {
                const QStringList c = arg.split(',');
                fakes.probe->desktopPick = Channels{c[0].toShort(), c[1].toShort(), c[2].toShort()};
            } else if (step.startsWith("locale=")) {
                QLocale::setDefault(QLocale(arg));
            } else if (step == "px=checker") {
                fakes.probe->checker = true;
            } else if (step.startsWith("px=")) {
                fakes.probe->checker = false;
                fakes.probe->pixel = arg == "-" ? std::nullopt : std::optional(arg.toInt());
            } else if (step.startsWith("wheel=") || step.startsWith("roll=")) {
                QWheelEvent turn({4, 4}, w->mapToGlobal(QPointF(4, 4)), {}, {0, 120 * arg.toInt()},
                                 Qt::NoButton,
                                 step[0] == 'w' ? Qt::ControlModifier : Qt::NoModifier,
                                 Qt::NoScrollPhase, false);
                QApplication::sendEvent(w.get(), &turn);
            } else if (step.startsWith("active=")) {
                fakes.probe->active = arg.toLongLong();
            } else if (step == "tick") {
                const int looks = fakes.probe->pointerLooks;
                QTRY_VERIFY(fakes.probe->pointerLooks > looks || !w->Timer1->isTicking());
            } else if (step == "trace") {
                for (ScrollBar* bar : {w->RScroll, w->GScroll, w->BScroll, w->TScroll})
                    bar->Change = [this, bar, handler = bar->Change] {
                        handler();
                        events << bar->objectName() + "_Change:" +
                                      (bar == w->TScroll ? w->ToneActive
                                                         : html(w->NewPrev->BackColor()));
                    };
            } else if (step.startsWith("strip=")) {
                const QImage strip = w->Gradient->grab().toImage();
                for (const QString& x : arg.split(','))
                    events << "strip@" + x + ":" + strip.pixelColor(x.toInt(), 16).name().toUpper();
            } else if (step == "link") {
                QAccessibleInterface* link = QAccessible::queryAccessibleInterface(w->Label7);
                if (link->role() == QAccessible::Link)
                    link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            } else if (step == "menu") {
                QContextMenuEvent e(QContextMenuEvent::Keyboard, {},
                                    focus()->mapToGlobal(QPoint()));
                QApplication::sendEvent(focus(), &e);
            } else if (step[0] == '>' || step[0] == '~') {
                if (step[0] == '~') data->removeFormat("application/x-swatchly-control-drag");
                send<QDragEnterEvent>(w->NewPrev, data.get());
                send<QDragEnterEvent>(control, data.get());
                send<QDragMoveEvent>(control, data.get());
                send<QDropEvent>(control, data.get());
            } else if (auto* bar = qobject_cast<QScrollBar*>(control); step[0] == '^') {
                bar->setSliderDown(true);
                for (const QString& position : arg.split(',', Qt::SkipEmptyParts)) {
                    bar->setSliderPosition(position.toInt());
                    events << "thumb@" + position + ":" + html(w->NewPrev->BackColor());
                }
                bar->setSliderDown(false);
            } else if (step.mid(1, 1) == "@") {
                const QPoint at(arg.section(',', 0, 0).toInt(), arg.section(',', 1).toInt());
                QTest::mouseDClick(w->windowHandle(),
                                   Qt::MouseButton(1 << QString("LRM").indexOf(step[0])), {},
                                   w->centralWidget()->mapTo(w.get(), at));
            } else if (control && step.endsWith("*2")) {
                QTest::mouseDClick(control, Qt::LeftButton, {}, QPoint(2, control->height() / 2));
            } else if (control) {
                const QPoint at(2, control->height() / 2);
                QTest::mousePress(control, Qt::LeftButton, {}, at);
                QTest::mouseMove(control, at + QPoint(4, 1));
                QTest::mouseMove(control, at);
                QTest::mouseRelease(control, Qt::LeftButton, {}, at);
            } else {
                const QKeyCombination key =
                    name == "Alt" ? QKeyCombination(Qt::Key_Alt) : QKeySequence(name)[0];
                QVERIFY2(key.key() != Qt::Key_unknown, qPrintable(step));
                for (int i = std::max(1, step.section('*', 1).toInt()); i > 0; --i)
                    QTest::keyClick(focus(), key.key(), key.keyboardModifiers());
            }
            if (check) check(step);
        }
    }

  private slots:
    void initTestCase() {
        setUnhandledErrorHook([this](int number, const QString&) { unhandled << number; });
        QApplication::setStyle(new SwatchlyStyle(QStringLiteral("fusion")));  // as the program's
    }
    void init() {
        fakes = Fakes();
        unhandled.clear();
        QGuiApplication::clipboard()->clear();
        QToolTip::hideText();
        QLocale::setDefault(QLocale("en_US"));
        fakes.probe->active = 7;
        fakes.probe->cursor = QPoint(-300, 41);  // on a screen left of the primary
        fakes.messageBox->whileOpen = [this] {
            const FakeMessageBox::Call& c = fakes.messageBox->calls.last();
            QStringList before = std::exchange(events, {});
            const QString style = c.style == MessageBox::Information ? "Information" : "OkOnly";
            events = before << "message:" + style + ' ' + look().join(' ');
        };
        w = std::make_unique<Form1>(fakes.services());
        w->show();
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    void cleanup() {
        QCOMPARE(unhandled, QList<int>());
        for (QPoint at : fakes.probe->reads) QCOMPARE(at, QPoint(-300, 41));
        events.clear();
    }

    // Copy As lists every form once, in groups that each fit a 600-pixel screen, the Copy form
    // checked.
    void copyAsFits() {
        emit w->copyAsMenu->aboutToShow();
        QList<QMenu*> menus = w->copyAsMenu->findChildren<QMenu*>();
        for (QMenu* menu : menus << w->copyAsMenu)
            QVERIFY2(menu->sizeHint().height() < 400, qPrintable(menu->title()));
        static const QRegularExpression form("^copyAs_");
        QStringList checked;
        for (QAction* item : w->copyAsMenu->findChildren<QAction*>(form))
            if (item->isChecked()) checked << item->objectName();
        QCOMPARE(w->copyAsMenu->findChildren<QAction*>(form).size(), ColourForm::names().size());
        QCOMPARE(checked, QStringList{"copyAs_html"});
    }

    void play_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("colour");           // the bars at the end, 0xRRGGBB
        QTest::addColumn<QStringList>("showing");  // as look() names them, in any order
        auto row = [](const char* script, int colour, const QStringList& showing = {}) {
            QTest::newRow(script) << script << colour << showing;
        };
        // SetBars writes red, green, blue, each write running its Change handler: the preview
        // passes through the colours between, and the tone slider, moved inside a handler, finds
        // ToneActive at "no". Bars given their present values raise nothing.
        row("trace =10,20,30 =10,20,30", 0x0A141E,
            {"RScroll_Change:#0A0000", "TScroll_Change:no", "GScroll_Change:#0A1400",
             "TScroll_Change:no", "BScroll_Change:#0A141E"});
        // A packed colour's top byte is ignored.
        row("long=305419896", 0x785634);
        // Each Set applies its row's boxes: decimal values corrected in place, halves to even,
        // "&H" texts of five to eight digits read as 32 bits, the user's locale; hex texts of the
        // wrong shape or with a bad pair give black, the VB box's bad pair after its message.
        row("=50,60,70 Rtxt '300' Gtxt '-4' Btxt 'abc' RGBSet", 0xFF0046, {"Btxt:0"});
        row("Rtxt '12.5' Gtxt '&H10000' Btxt '&HFF' RGBSet", 0x0CFFFF);
        row("=0,255,0 Rtxt '254.5' Gtxt '255.2' Btxt '-0' RGBSet", 0xFEFF00, {"Btxt:-0"});
        row("locale=de_DE Rtxt '254,5' Gtxt '1.000,5' Btxt '-0,3' RGBSet", 0xFEFF00);
        row("HexVal '#FF8000xyz' HexSet", 0xFF8000);
        row("=50,60,70 HexVal '#F 8000' HexSet", 0);
        row("VbVal '&Hab100f&junk' VbSet", 0x0F10AB);
        row("=50,60,70 VbVal '&h0080FF&' VbSet", 0);
        row("=50,60,70 VbVal '&H0080ZZ&' VbSet", 0, {"message:OkOnly #323C46 VbVal:&H000000&"});
        // Text1 mirrors HexVal, also where HexVal already held the colour's text. A click into a
        // box selects it all; a second click places the cursor; a closing context menu leaves
        // the selection alone. A thumb released repaints its own box.
        row("HexVal '#0A0000' Text1 'junk' =10,0,0", 0x0A0000);
        row("HexVal HexVal \"1\"", 0, {"HexVal:1#000000", "Text1:1#000000"});
        row("clip=34 HexVal '#1256' Left*2 menu Esc Ctrl+V", 0,
            {"HexVal:#123456", "Text1:#123456", "clip:34"});
        row("=10,100,200 Rtxt '77' Gtxt 'x' ^RScroll ^TScroll", 0x0A64C8, {"Gtxt:x"});
        row("^BScroll=10,20 ^TScroll=30", 0x1E1E32,
            {"thumb@10:#00000A", "thumb@20:#000014", "thumb@30:#1E1E32"});
        // Keys from the first control: Left and Right move a bar the way they point; the tone
        // slider shifts all three channels, clamped, and stands on the median; Tab selects a
        // box's whole text, an empty one too; the menus by keys.
        row("Right*2 Left Tab PgDown*2 Home PgDown Tab End PgUp", 0x010AF5);
        row("=255,0,0 Tab*3 End", 0xFF0000);
        row("=50,50,200 Tab*3 Right", 0x3333C9);
        row("Tab*8 '#FF8000' Shift+Tab*2 Space", 0xFF8000);
        row("choose=stay", 0, {"ontop:on", "stay:on"});
        row("choose=stay choose=stay", 0, {"ontop:on", "ontop:off"});
        row("choose=abt", 0, {"message:Information #000000"});
        // A press of any button on the bare body asks for a move; on a frame or label none.
        row("L@120,240 R@292,60 M@0,0", 0, {"moves:6"});
        row("L@148,103 L@20,22 M@40,242", 0);
        row("nobrowser L@218,245", 0,
            {"opened:2", "message:OkOnly #000000 opened:1", "message:OkOnly #000000 opened:2"});
        // Drops take the channel texts as typed; the current colour stays. A double-click makes
        // a slot's colour current, black where nothing was dropped.
        row("=12,34,56 >SaveC3 =200,0,99 SaveC3*2", 0x0C2238, {"SaveC3:#0C2238"});
        // A drop whose texts give no colour, on a box that takes none, or of another program's
        // colour changes nothing.
        for (QString bad : QString("Rtxt 'abc'|Gtxt Backspace|Btxt '-1'|Rtxt '-0.6'|Gtxt '&HFFFF'|"
                                   "Btxt '40000'|Rtxt '32767.5'|Rtxt '1e400'")
                               .split('|'))
            QTest::newRow(qPrintable(bad))
                << "=12,34,56 >SaveC1 >GradientR " + bad + " >SaveC1 >GradientR" << 0x0C2238
                << QStringList{bad.left(4) + ":" + bad.section('\'', 1, 1), "SaveC1:#0C2238",
                               "GradientR:#0C2238"};
        row("=12,34,56 >SaveC1 >GradientR Rtxt '9' ~SaveC1 ~GradientR", 0x0C2238,
            {"Rtxt:9", "SaveC1:#0C2238", "GradientR:#0C2238"});
        // A drop on either end draws the strip, a line a column: column i of 255 blends
        // left + (right - left) / 255 * (i + 1) per channel, halves to even; an end never dropped
        // on is black. The drawing stays until the next drop.
        row("=255,0,0 >GradientR =9,9,9 strip=0,100,254", 0x090909,
            {"GradientR:#FF0000", "strip@0:#010000", "strip@100:#650000", "strip@254:#FF0000"});
        row("Rtxt '127.5' >GradientR strip=0,2,4,6", 0,
            {"Rtxt:127.5", "GradientR:#800000", "strip@0:#000000", "strip@2:#020000",
             "strip@4:#020000", "strip@6:#040000"});
        // Copy writes the colour in the Copy form, as text and as a colour; Copy As picks the
        // form and copies. Paste takes a colour, else text in any form; text that is none changes
        // nothing and says why at the preview. In a box the keys keep to its text.
        row("=255,128,0 copyAs_css-hsl =1,2,3 Ctrl+C", 0x010203,
            {"clip:hsl(210, 50%, 1%)", "clipcolour:#010203", "copy:css-hsl"});
        row("clipcolour=#123456 Ctrl+V", 0x123456, {"clipcolour:#123456"});
        row("clip=rgb(255,128,0) Ctrl+V", 0xFF8000, {"clip:rgb(255,128,0)"});
        row("=1,2,3 clip=junk Ctrl+V", 0x010203,
            {"clip:junk",
             "tip:Nothing pasted: \"junk\" is not a colour: give #RRGGBB, "
             "&HBBGGRR&, R,G,B, a CSS colour such as rgb(), hsl() or oklch(), or a name"});
        // Read but not used is said; six digits are decimal where Copy writes decimal.
        row("clip=rgb(1_2_3_/_50%) Ctrl+V", 0x010203,
            {"clip:rgb(1 2 3 / 50%)",
             "tip:Pasted; the alpha 50% is ignored: a colour here is opaque"});
        row("copyAs_decimal clip=123456 Ctrl+V", 0x01E240, {"clip:123456", "copy:decimal"});
        // The preview names its colour, near or exact, in its tooltip and description.
        row("=255,128,0 named =255,165,0 named", 0xFFA500,
            {"named:\u2248 darkorange", "named:orange"});
        // The Contrast view: the colour on white, black and each kept swatch, kept up to date.
        row("=118,118,118 >SaveC1 =119,119,119 contrastAction", 0x777777,
            {"SaveC1:#767676", "contrast:White #FFFFFF 4.47:1 fail fail pass fail pass",
             "contrast:Black #000000 4.68:1 pass fail pass pass pass",
             "contrast:Swatch 1 #767676 1.01:1 fail fail fail fail fail",
             "seen:#777777 #767676|#777777 #767676|#777777 #767676|#777777 #767676"});
        row("contrastAction =255,0,0", 0xFF0000,
            {"contrast:White #FFFFFF 3.99:1 fail fail pass fail pass",
             "contrast:Black #000000 5.25:1 pass fail pass pass pass",
             "seen:#FF0000|#6D5F00|#A39000|#FF000F"});
        row("=1,2,3 HexVal Ctrl+C Btxt Ctrl+V", 0x010203, {"Btxt:#010203", "clip:#010203"});
        // Enter applies a box's row; in the HTML box, as the HEX row's Set reads it.
        row("Rtxt '12' Gtxt '34' Return", 0x0C2200);
        row("Text1 'ff8000' Return", 0xFF8000);
        // Grabbing, 1 to 9 and Ctrl with the wheel choose the square averaged in linear light,
        // which the loupe frames and names; the choice is kept.
        row("px=checker GetPixelbtn 3 tick", 0xC5C5C5, {"grab", "loupe:#C5C5C5\n3 x 3"});
        row("px=checker GetPixelbtn 5 Escape restart px=checker GetPixelbtn tick", 0xBFBFBF,
            {"grab", "loupe:#BFBFBF\n5 x 5"});
        row("px=checker GetPixelbtn wheel=2 wheel=-1 tick", 0xC5C5C5,
            {"grab", "loupe:#C5C5C5\n3 x 3"});
        // Every finished pick and Paste is kept, newest first and once, and listed in the Copy
        // form; choosing one makes it current.
        row("recent desktop=1,2,3 GetPixelbtn desktop=4,5,6 GetPixelbtn desktop=1,2,3 GetPixelbtn "
            "recent",
            0x010203, {"recent:No colour picked yet", "recent:#010203 #040506"});
        row("copyAs_css-rgb clip=#0A0B0C Ctrl+V =0,0,0 recent recent_1", 0x0A0B0C,
            {"copy:css-rgb", "clip:#0A0B0C", "recent:rgb(10, 11, 12)"});
        // + and - and the wheel zoom the loupe, 2 to 16 device pixels a square, the square read
        // growing or shrinking so that the loupe keeps its size.
        row("px=255 GetPixelbtn + + + + + + + + + tick", 0xFF0000,
            {"grab", "loupe:#FF0000", "reach:2"});
        row("px=255 GetPixelbtn - - - - - - - tick", 0xFF0000,
            {"grab", "loupe:#FF0000", "reach:21"});
        row("px=255 GetPixelbtn roll=-3 tick", 0xFF0000, {"grab", "loupe:#FF0000", "reach:8"});
        // Space freezes the screen: one read, made without the loupe, serves every tick until
        // Space thaws it.
        row("px=checker GetPixelbtn tick Space tick px=255 tick", 0xFFFFFF,
            {"grab", "loupe:#FFFFFF", "reach:600"});
        row("px=checker GetPixelbtn tick Space tick px=255 Space tick", 0xFF0000,
            {"grab", "loupe:#FF0000"});
        // Grabbing, screen readers hear the colour by its name when it changes, at most twice a
        // second (a change waits, and is said if it still stands), and the pick once.
        row("clock px=255 GetPixelbtn tick px=65280 tick px=16711680 tick later tick later tick "
            "active=0 tick said",
            0x0000FF, {"said:red|blue|Picked blue"});
        // With Copy on Pick, a pick copies: the click on another window, the desktop's picker.
        row("copyOnPickAction GetPixelbtn px=255 tick GetPixelbtn", 0xFF0000,
            {"copyOnPickAction:on"});
        row("copyOnPickAction desktop=1,2,3 GetPixelbtn", 0x010203,
            {"clip:#010203", "clipcolour:#010203", "copyOnPickAction:on"});
        // With Keep Picks, a pick goes into the first slot; one kept already moves to the front.
        row("keepPicksAction desktop=1,2,3 GetPixelbtn desktop=4,5,6 GetPixelbtn desktop=1,2,3 "
            "GetPixelbtn",
            0x010203, {"keepPicksAction:on", "SaveC1:#010203", "SaveC2:#040506"});
        // What the window keeps it finds again at the next start, the strip drawn from its ends;
        // not the colour.
        row("=1,2,3 >SaveC2 >GradientL copyOnPickAction keepPicksAction showSwatchesAction "
            "copyAs_vb choose=magnifierAction restart strip=0",
            0,
            {"clip:&H030201&", "clipcolour:#010203", "copyOnPickAction:on", "keepPicksAction:on",
             "showSwatchesAction:on", "magnifierAction:off", "copy:vb", "client:337x353",
             "SaveC2:#010203", "GradientL:#010203", "strip@0:#010203"});
        // A double-click on the strip makes the colour under the pointer current.
        row("=255,0,0 >GradientR =0,0,0 Gradient*2", 0x030000, {"GradientR:#FF0000"});
        // Grab mode takes the pixel under the pointer at each tick, the top byte ignored, and shows
        // the loupe; a failed read keeps the colour and shows none. The button again, another
        // active window (without a read there), a click on the strip or its ends ends it, and the
        // loupe goes; Options > Magnifier off takes the loupe away while grab mode goes on.
        row("GetPixelbtn px=-2130739136 tick", 0x4080FF, {"grab", "loupe:#4080FF"});
        row("=1,2,3 GetPixelbtn px=- tick", 0x010203, {"grab"});
        row("GetPixelbtn px=255 tick active=8 tick", 0xFF0000);
        row("GetPixelbtn px=255 tick GradientL_Click", 0xFF0000);
        row("GetPixelbtn px=255 tick choose=magnifierAction px=65280 tick", 0x00FF00,
            {"grab", "magnifierAction:off"});
        row("GetPixelbtn px=255 tick Esc", 0xFF0000);
        // By the keyboard, the link opens on Enter and Space; a slot takes the colour with
        // Insert and gives it back with Enter or Space; Insert on a gradient end.
        row("Text1 Tab Return Space link", 0, {"opened:3"});
        row("=12,34,56 showSwatchesAction SaveC3 Insert =0,0,0 SaveC3 Return >SaveC1 =0,0,0 "
            "SaveC1 Space",
            0x0C2238,
            {"showSwatchesAction:on", "client:337x353", "SaveC1:#0C2238", "SaveC3:#0C2238"});
        row("=1,2,3 showSwatchesAction GradientR Insert strip=254", 0x010203,
            {"showSwatchesAction:on", "client:337x353", "GradientR:#010203", "strip@254:#010203"});
    }
    // A row that fails names the first step after which the window showed something that is
    // wrong at the end, and what it showed then.
    void play() {
        QFETCH(QString, script);
        QFETCH(int, colour);
        QFETCH(QStringList, showing);
        const QStringList want = QStringList{QString::asprintf("#%06X", colour)} + showing;
        QList<std::pair<QString, QStringList>> trail{{{}, look()}};
        run(script, [&](const QString& step) { trail.append({step, look()}); });
        const QStringList got = trail.last().second;
        // The first step that shows a part more often than wanted, else the last step.
        qsizetype at = trail.size() - 1;
        for (const QString& part : got)
            for (qsizetype i = 0; i < at && got.count(part) > want.count(part); ++i)
                if (trail[i].second.count(part) > want.count(part)) at = i;
        const auto& [step, seen] = trail[at];
        QStringList sortedGot = got.mid(1), sortedWant = want.mid(1);
        sortedGot.sort(), sortedWant.sort();
        QVERIFY2(got[0] == want[0] && sortedGot == sortedWant,
                 qPrintable((step.isEmpty() ? "at the start" : "after " + step) +
                            " the window showed \"" + seen.join(' ') +
                            "\"; at the end it should show \"" + want.join(' ') + '"'));
        QCOMPARE(html(w->NewPrev->BackColor()), want[0]);
    }

    // The loupe over a fake screen in which each pixel differs from its neighbours and from the
    // loupe's black and white ring: grab mode on and a tick taken with the pointer at `pointer`.
    static QRgb patternAt(QPoint p) { return qRgb(p.x() * 37 % 256, p.y() * 59 % 256, 77); }
    void grabOverThePattern(QPoint pointer) {
        QImage& screen = fakes.probe->screen;
        screen = QImage(QGuiApplication::primaryScreen()->size(), QImage::Format_ARGB32);
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x) screen.setPixel(x, y, patternAt({x, y}));
        fakes.probe->cursor = pointer;
        w->GetPixelbtn->click();
        w->Timer1_Timer();
    }

    // Over the pattern, the loupe frames the pixel taken and names it.
    void loupeNamesThePixelTaken() {
        grabOverThePattern({300, 200});
        const QString taken = QColor(patternAt({300, 200})).name().toUpper();
        QCOMPARE(html(w->NewPrev->BackColor()), taken);
        Magnifier* loupe = w->pickSession->loupe();
        QCOMPARE(loupe->findChild<QLabel*>()->text(), taken);
        QCOMPARE(QColor(loupe->grab().toImage().pixel(45, 45)).name().toUpper(), taken);
        fakes.probe->reads.clear();
    }

    // The pointer running on a few pixels a tick, away from the loupe and into it: the loupe
    // stays clear of what is read and near the pointer, and moves on few of the ticks.
    void loupeFollowsInSteps() {
        Magnifier loupe;
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        int moves = 0, ticks = 0;
        for (QPoint step : {QPoint(-6, -3), QPoint(6, 3)})
            for (QPoint p = screen.center(); screen.contains(p); p += step, ++ticks) {
                const QPoint before = loupe.pos();
                loupe.show(p, QImage(11, 11, QImage::Format_ARGB32), 1, 0);
                const QRect g = loupe.geometry();
                moves += g.topLeft() != before;
                QVERIFY(!g.intersects(QRect(p - QPoint(5, 5), QSize(11, 11))) &&
                        (g.center() - p).manhattanLength() < 200);
            }
        QVERIFY(moves * 3 < ticks);
    }

    // Shown, the fixed client takes in the slots, the strip between its ends and the channel
    // previews side by side, activetxt still out of sight; hidden, all is back in its place.
    void showSwatches() {
        auto places = [&] {
            QList<QRect> g{w->geometry()};
            for (QWidget* c : w->centralWidget()->findChildren<QWidget*>()) g << c->geometry();
            return g;
        };
        const QList<QRect> defined = places();
        w->showSwatchesAction->trigger();
        QTRY_VERIFY(w->size() != defined[0].size() && w->minimumSize() == w->maximumSize());
        const QRect client = w->centralWidget()->rect();
        for (PictureBox* p : w->findChildren<PictureBox*>(QRegularExpression("^Save|^Grad|Prev$")))
            QVERIFY2(p->isVisible() && client.contains(p->geometry().adjusted(0, 0, 8, 8)),
                     qPrintable(p->objectName()));
        QVERIFY(!w->activetxt->isVisible() && !w->Picture1->isVisible());
        QVERIFY(w->GradientL->geometry().right() < w->Gradient->x() &&
                w->Gradient->geometry().right() < w->GradientR->x() &&
                w->GradientL->y() == w->Gradient->y() && w->GradientR->y() == w->Gradient->y());
        QVERIFY(w->RPrev->geometry().right() < w->GPrev->x() &&
                w->GPrev->geometry().right() < w->BPrev->x() && w->RPrev->y() == w->BPrev->y());
        w->showSwatchesAction->trigger();
        QTRY_COMPARE(places(), defined);
    }

    // A dropped slot is in the settings file at once, for any other process to read, before the
    // event loop runs again. The kept slots to a GIMP palette and back; a file that is none
    // leaves the slots alone.
    void palettes() {
        run("=255,128,0 >SaveC1 =1,2,3 >SaveC3 =0,0,0");
        QFile settings(fakes.home->filePath("swatchly.conf"));
        QVERIFY(settings.open(QIODevice::ReadOnly) && settings.readAll().contains("3=#010203"));
        const QString file = fakes.files->chosen = fakes.home->filePath("kept.gpl");
        w->exportSwatchesAction->trigger();
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadWrite));
        QCOMPARE(written.readAll(),
                 "GIMP Palette\nName: Swatchly\nColumns: 7\n#\n"
                 "255 128   0\t#FF8000\n  1   2   3\t#010203\n");
        for (const char* palette : {"GIMP Palette\n4 5 6 four\n", "no palette\n7 8 9\n"}) {
            written.resize(0);
            written.write(palette);
            written.flush();
            w->importSwatchesAction->trigger();
        }
        QCOMPARE(look(), QStringList({"#000000", "SaveC1:#040506",
                                      "message:OkOnly #000000 SaveC1:#040506"}));
        // The recent colours as their file's name asks, with each pick's time.
        run("desktop=1,2,3 GetPixelbtn");
        fakes.files->chosen = fakes.home->filePath("recent.json");
        w->exportRecentAction->trigger();
        QFile recent(fakes.files->chosen);
        QVERIFY(recent.open(QIODevice::ReadOnly));
        const QJsonArray picks = QJsonDocument::fromJson(recent.readAll()).array();
        QCOMPARE(picks.size(), 1);
        QCOMPARE(picks[0]["hex"].toString(), "#010203");
        QVERIFY(QDateTime::fromString(picks[0]["picked"].toString(), Qt::ISODate).isValid());
    }

    // --pick by the keyboard: a device pixel a key, ten with Shift, Enter picks.
    void pickByTheKeyboard() {
        grabOverThePattern({300, 200});
        std::optional<Channels> picked;
        PickSession session(*fakes.probe);
        connect(&session, &PickSession::picked, [&](Channels c) { picked = c; });
        PointerPick pick(session);
        for (const QString& key : QString("Right Right Shift+Down Left Up Return").split(' '))
            QTest::keySequence(&pick, QKeySequence(key));
        QTRY_VERIFY(picked);
        QCOMPARE(qRgb(picked->red, picked->green, picked->blue), patternAt({301, 209}));
        fakes.probe->reads.clear();
    }

    // A kept place that would put the window past the screen's edge is moved in, whole.
    void keptPlaceOnTheScreen() {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        fakes.store->setPosition(area.bottomRight() - QPoint(10, 10));
        run("restart");
        QVERIFY(area.contains(w->geometry()));
    }

    // Each control the keyboard reaches shows when the keyboard gave it the focus.
    void focusMarks() {
        run("showSwatchesAction");
        w->setAttribute(Qt::WA_KeyboardFocusChange);
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (!(c->focusPolicy() & Qt::TabFocus) || !c->isVisibleTo(w.get())) continue;
            w->centralWidget()->setFocus();
            const QImage before = c->grab().toImage();
            c->setFocus(Qt::TabFocusReason);
            QVERIFY2(c->grab().toImage() != before, qPrintable(c->objectName()));
        }
    }

    // Scaled, the menu bar's bottom line runs on where two menus meet.
    void menuBarLineWhole() {
        QImage bar(w->menuBar()->size() * 2, QImage::Format_RGB32);
        bar.setDevicePixelRatio(2);
        w->menuBar()->render(&bar);
        const int y = 2 * w->menuBar()->height() - 2;
        for (int x = 0; x < bar.width(); ++x) QCOMPARE(bar.pixel(x, y), bar.pixel(0, y));
    }

    // Each row's label and Set level with its box (they once stood a row apart), no timer
    // running. Every control that shows has a name for a screen reader, and its
    // caption shows whole in the part of it that is on screen, in the fonts this desktop has
    // (measured in device-independent pixels, so at any scale).
    void definition() {
        auto top = [&](QWidget* c) { return c->mapTo(w.get(), QPoint()).y(); };
        // Each row's label level with its box and Set, announced with the box, and the Set named
        // for it; each channel's label announced with its bar.
        auto labelOf = [](QWidget* c) {
            const auto r = QAccessible::queryAccessibleInterface(c)->relations(QAccessible::Label);
            return r.size() == 1 ? r[0].first->object() : nullptr;
        };
        for (auto [label, set, box] : {std::tuple{w->Label4, w->RGBSet, w->Rtxt},
                                       {w->Label6, w->VbSet, w->VbVal},
                                       {w->Label5, w->HexSet, w->HexVal}})
            QVERIFY2(top(label) == top(box) && top(set) == top(box) && labelOf(box) == label &&
                         set->accessibleName().contains(label->text()),
                     qPrintable(label->text()));
        for (auto [label, bar] :
             {std::pair{w->Label1, w->RScroll}, {w->Label2, w->GScroll}, {w->Label3, w->BScroll}})
            QCOMPARE(labelOf(bar), label);
        QVERIFY(!w->Timer1->isTicking() && !w->Timer2->isTicking() && w->Picture1->isHidden());
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (!c->isVisibleTo(w.get())) continue;
            const QString name = QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name);
            QVERIFY2(!name.trimmed().isEmpty(), qPrintable(c->objectName()));
            const auto* label = qobject_cast<QLabel*>(c);
            const auto* button = qobject_cast<QAbstractButton*>(c);
            const QString text = label ? label->text() : button ? button->text() : QString();
            QRect visible(c->mapTo(w.get(), QPoint()), c->size());
            for (const QWidget* p = c->parentWidget(); p != w.get(); p = p->parentWidget())
                visible &= QRect(p->mapTo(w.get(), QPoint()), p->size());
            QVERIFY2(QFontMetricsF(c->font()).horizontalAdvance(text) <= visible.width() &&
                         !visible.isEmpty(),
                     qPrintable(c->objectName() + ": " + text));
        }
        run("=255,128,0");
        QCOMPARE(QAccessible::queryAccessibleInterface(w->NewPrev)->text(QAccessible::Name),
                 "Current colour, #FF8000");
    }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"

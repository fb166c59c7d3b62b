// The window frame and the commands: moving by the body, Stay On Top, the help box, Exit, the
// link, the fixed size and Text1's select-all; with the service fakes, and the Qt window manager
// and message box on the offscreen platform.

#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include "app/form1.h"
#include "app/platform/qt_services.h"
#include "app/runtime/runtime_error.h"
#include "fakes.h"

using namespace swatchly;

Q_DECLARE_METATYPE(Qt::MouseButton)

namespace {

// A window on the offscreen screen, ready to take mouse events.
struct ShownForm {
    Fakes fakes;
    Form1 form{fakes.services()};
    ShownForm() {
        form.show();
        if (!QTest::qWaitForWindowExposed(&form)) qWarning("the window was not exposed");
    }
    QWidget* client() { return form.centralWidget(); }
    // A press and release of one button at a point of the client area, delivered to the
    // window as the platform would, so Qt finds the widget under the pointer.
    void click(QPoint clientPos, Qt::MouseButton button) {
        const QPoint at = client()->mapTo(&form, clientPos);
        QTest::mousePress(form.windowHandle(), button, {}, at);
        QTest::mouseRelease(form.windowHandle(), button, {}, at);
    }
};

struct ThrowingWindowManager : WindowManager {
    int moves = 0;
    void startMove(QWidget*) override {
        ++moves;
        throw RuntimeError{5, "Invalid procedure call or argument"};
    }
    void setStayOnTop(QWidget*, bool) override {}
};

struct RefusingShell : Shell {
    QStringList tried;
    bool open(const QString& address) override {
        tried << address;
        return false;
    }
};

// Collects errors that escape a handler into the event loop.
struct EscapedErrors {
    QList<int> numbers;
    UnhandledErrorHook previous;
    EscapedErrors() {
        previous = setUnhandledErrorHook([this](int n, const QString&) { numbers << n; });
    }
    ~EscapedErrors() { setUnhandledErrorHook(previous); }
};

const QString kHelp = QStringLiteral(
    "Click Grab Color, put your mouse over the color you'd like and then left click the color.  "
    "If there are features you would like to see added to this application please contact "
    "support@swatchly.example.");

}  // namespace

class TestFrame : public QObject {
    Q_OBJECT
private slots:
    void bodyPressStartsMove_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<Qt::MouseButton>("button");
        const QList<QPair<const char*, QPoint>> spots = {{"below the frames", {120, 240}},
                                                         {"right margin", {292, 60}},
                                                         {"left margin", {3, 120}},
                                                         {"top-left corner", {0, 0}}};
        const QList<QPair<const char*, Qt::MouseButton>> buttons = {
            {"left", Qt::LeftButton}, {"right", Qt::RightButton}, {"middle", Qt::MiddleButton}};
        for (const auto& [spot, at] : spots)
            for (const auto& [name, button] : buttons)
                QTest::addRow("%s, %s", spot, name) << at << button;
    }
    void bodyPressStartsMove() {
        QFETCH(QPoint, at);
        QFETCH(Qt::MouseButton, button);
        ShownForm w;
        const QRect before = w.form.geometry();
        w.click(at, button);
        QCOMPARE(w.fakes.windowManager->moves, 1);
        QVERIFY(w.fakes.windowManager->stayOnTopCalls.isEmpty());
        QVERIFY(w.fakes.shell->opened.isEmpty());
        QVERIFY(w.fakes.messageBox->calls.isEmpty());
        QCOMPARE(w.form.geometry(), before);
        // A second press is a second request.
        w.click(at, button);
        QCOMPARE(w.fakes.windowManager->moves, 2);
    }

    void doubleClickOnBodyIsTwoPresses() {
        ShownForm w;
        const QPoint at = w.client()->mapTo(&w.form, QPoint(120, 240));
        QTest::mouseDClick(w.form.windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(w.fakes.windowManager->moves, 2);
    }

    void pressOverControlStartsNoMove_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("local");  // in the control; (-1, -1) for its middle
        QTest::addColumn<Qt::MouseButton>("button");
        const QPoint middle(-1, -1);
        QTest::newRow("text box") << "Rtxt" << middle << Qt::LeftButton;
        QTest::newRow("text box, right") << "HexVal" << middle << Qt::RightButton;
        QTest::newRow("Set button") << "RGBSet" << middle << Qt::LeftButton;
        QTest::newRow("Set button, middle") << "VbSet" << middle << Qt::MiddleButton;
        QTest::newRow("scroll bar") << "TScroll" << middle << Qt::LeftButton;
        QTest::newRow("Frame1, bare part") << "Frame1" << QPoint(140, 100) << Qt::LeftButton;
        QTest::newRow("Frame2, bare part") << "Frame2" << QPoint(200, 5) << Qt::RightButton;
        QTest::newRow("label in a frame") << "Label4" << middle << Qt::LeftButton;
        // Label9 lies partly behind Frame2, which comes earlier in the definition.
        QTest::newRow("empty label") << "Label9" << QPoint(16, 35) << Qt::MiddleButton;
        QTest::newRow("link label") << "Label7" << QPoint(20, 8) << Qt::LeftButton;
    }
    void pressOverControlStartsNoMove() {
        QFETCH(QString, control);
        QFETCH(QPoint, local);
        QFETCH(Qt::MouseButton, button);
        ShownForm w;
        auto* target = w.form.findChild<QWidget*>(control);
        QVERIFY(target);
        if (local == QPoint(-1, -1)) local = target->rect().center();
        const QPoint at = target->mapTo(w.client(), local);
        // The row really presses on that control (or on a part of it).
        QWidget* hit = w.client()->childAt(at);
        QVERIFY2(hit == target || target->isAncestorOf(hit), qPrintable(control));
        w.click(at, button);
        QCOMPARE(w.fakes.windowManager->moves, 0);
    }

    void moveThatCannotStartIsIgnored() {
        EscapedErrors escaped;
        auto wm = std::make_shared<ThrowingWindowManager>();
        Fakes fakes;
        Services services = fakes.services();
        services.windowManager = wm;
        Form1 form(services);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QRect before = form.geometry();
        const QPoint at = form.centralWidget()->mapTo(&form, QPoint(120, 240));
        QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(wm->moves, 1);
        QVERIFY(escaped.numbers.isEmpty());
        QCOMPARE(form.geometry(), before);
        QVERIFY(form.isVisible());
    }

    void linkOpensHomePageOnEveryPress_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }
    void linkOpensHomePageOnEveryPress() {
        QFETCH(Qt::MouseButton, button);
        ShownForm w;
        QCOMPARE(w.form.Label7->text(), QString("https://swatchly.example/"));
        const QPoint at = w.form.Label7->mapTo(w.client(), QPoint(20, 8));
        w.click(at, button);
        QCOMPARE(w.fakes.shell->opened, QStringList{"https://swatchly.example/"});
        w.click(at, button);
        QCOMPARE(w.fakes.shell->opened,
                 QStringList({"https://swatchly.example/", "https://swatchly.example/"}));
        QCOMPARE(w.fakes.windowManager->moves, 0);
    }

    void linkDoubleClickOpensTwice() {
        ShownForm w;
        const QPoint at = w.form.Label7->mapTo(&w.form, QPoint(20, 8));
        QTest::mouseDClick(w.form.windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(w.fakes.shell->opened.size(), 2);
    }

    void linkThatCannotOpenPassesSilently() {
        EscapedErrors escaped;
        auto shell = std::make_shared<RefusingShell>();
        Fakes fakes;
        Services services = fakes.services();
        services.shell = shell;
        Form1 form(services);
        form.Label7_MouseDown();
        form.Label7_MouseDown();
        QCOMPARE(shell->tried.size(), 2);
        QVERIFY(fakes.messageBox->calls.isEmpty());
        QVERIFY(escaped.numbers.isEmpty());
    }

    void stayOnTopToggles_data() {
        QTest::addColumn<int>("picks");
        QTest::addColumn<QList<bool>>("calls");
        QTest::addColumn<bool>("checked");
        QTest::newRow("once: on") << 1 << QList<bool>{true} << true;
        QTest::newRow("twice: off again") << 2 << QList<bool>{true, false} << false;
        QTest::newRow("three times: on") << 3 << QList<bool>{true, false, true} << true;
    }
    void stayOnTopToggles() {
        QFETCH(int, picks);
        QFETCH(QList<bool>, calls);
        QFETCH(bool, checked);
        ShownForm w;
        QVERIFY(!w.form.stay->isChecked());
        const QRect before = w.form.geometry();
        for (int i = 0; i < picks; ++i) w.form.stay->trigger();
        QCOMPARE(w.fakes.windowManager->stayOnTopCalls, calls);
        QCOMPARE(w.form.stay->isChecked(), checked);
        QCOMPARE(w.form.geometry(), before);
        QVERIFY(w.form.isVisible());
        QCOMPARE(w.fakes.windowManager->moves, 0);
    }

    void helpBoxShowsTheHelpText() {
        ShownForm w;
        const QRect before = w.form.geometry();
        bool visibleWhileOpen = false;
        w.fakes.messageBox->whileOpen = [&] { visibleWhileOpen = w.form.isVisible(); };
        w.form.abt->trigger();
        QCOMPARE(w.fakes.messageBox->calls.size(), 1);
        const FakeMessageBox::Call call = w.fakes.messageBox->calls.first();
        QCOMPARE(call.text, kHelp);
        QCOMPARE(call.style, 64);  // OK only, information icon
        QCOMPARE(call.title, QString("Swatchly Help"));
        QVERIFY(visibleWhileOpen);
        // The window is as it was once the box is closed.
        QVERIFY(w.form.isVisible());
        QCOMPARE(w.form.geometry(), before);
        QVERIFY(!w.form.stay->isChecked());
        QCOMPARE(w.form.HexVal->Text(), QString("#000000"));
        QVERIFY(w.fakes.shell->opened.isEmpty());
    }

    void helpTextNamesTheContactAddress() {
        QCOMPARE(Form1::helpText(), kHelp);
        QCOMPARE(Form1::kContactEmail, QString("support@swatchly.example"));
        QCOMPARE(Form1::kHomePage, QString("https://swatchly.example/"));
    }

    void qtMessageBoxIsInformationWithOkOnly() {
        QWidget parent;
        parent.show();
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QList<QAbstractButton*> buttons;
        bool modal = false;
        QTimer::singleShot(0, &parent, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->buttons();
            modal = box->isModal();
            box->button(QMessageBox::Ok)->click();
        });
        QtMessageBox().show(&parent, Form1::helpText(), MessageBox::Information, "Swatchly Help");
        QCOMPARE(title, QString("Swatchly Help"));
        QCOMPARE(text, kHelp);
        QCOMPARE(icon, QMessageBox::Information);
        QCOMPARE(buttons.size(), 1);
        QVERIFY(modal);
    }

    void exitEndsTheProgram() {
        Fakes fakes;
        Form1 form(fakes.services());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        bool visibleAfterExit = true;
        QTimer::singleShot(0, &form, [&] {
            form.ext->trigger();
            visibleAfterExit = form.isVisible();
        });
        // The event loop ends, with status 0, because the handler ended it.
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!visibleAfterExit);
        QVERIFY(fakes.messageBox->calls.isEmpty());
    }

    void sizeIsFixed_data() {
        QTest::addColumn<QSize>("request");
        QTest::newRow("larger") << QSize(640, 480);
        QTest::newRow("smaller") << QSize(100, 80);
        QTest::newRow("wider only") << QSize(400, 274);
    }
    void sizeIsFixed() {
        QFETCH(QSize, request);
        ShownForm w;
        const QSize fixed = w.form.size();
        // The client area keeps its 4440 x 3825 twips below the menu bar.
        QCOMPARE(w.client()->size(), QSize(296, 255));
        QCOMPARE(fixed, QSize(296, 255 + w.form.menuBar()->height()));
        w.form.resize(request);
        QCOMPARE(w.form.size(), fixed);
        w.form.windowHandle()->resize(request);
        QTRY_COMPARE(w.form.size(), fixed);
        QCOMPARE(w.client()->size(), QSize(296, 255));
    }

    void minimiseAndRestoreKeepTheSize() {
        ShownForm w;
        const QSize fixed = w.form.size();
        w.form.showMinimized();
        QTRY_VERIFY(w.form.isMinimized());
        w.form.showNormal();
        QTRY_VERIFY(!w.form.isMinimized());
        QCOMPARE(w.form.size(), fixed);
        QVERIFY(w.form.isVisible());
    }

    void frameOffersMinimiseButNoMaximise() {
        Form1 form;
        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(flags & Qt::WindowStaysOnTopHint));
        QCOMPARE(form.minimumSize(), form.maximumSize());
    }

    void timer2NeverTicks() {
        ShownForm w;
        QVERIFY(!w.form.Timer2->Enabled());
        QCOMPARE(w.form.Timer2->Interval(), 100);
        QVERIFY(!w.form.Timer2->isTicking());
        // Were it to tick, it would make the window topmost, leaving the menu's mark alone.
        w.form.Timer2_Timer();
        QCOMPARE(w.fakes.windowManager->stayOnTopCalls, QList<bool>{true});
        QVERIFY(!w.form.stay->isChecked());
    }

    void text1SelectsAllOnFocus_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("hex text") << "#12AB34";
        QTest::newRow("typed words") << "hello there";
        QTest::newRow("empty") << "";
    }
    void text1SelectsAllOnFocus() {
        QFETCH(QString, text);
        ShownForm w;
        QApplication::setActiveWindow(&w.form);
        w.form.Rtxt->setFocus();
        w.form.Text1->QLineEdit::setText(text);
        w.form.Text1->setCursorPosition(text.size() / 2);
        // Focus given by the program (not by Tab, where Qt would select all by itself).
        w.form.Text1->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(w.form.Text1->hasFocus());
        QCOMPARE(w.form.Text1->selectedText(), text);
        QCOMPARE(w.form.Text1->hasSelectedText(), !text.isEmpty());
        // Typing replaces the whole text.
        QTest::keyClicks(w.form.Text1, "ab");
        QCOMPARE(w.form.Text1->text(), QString("ab"));
    }

    // The Qt window manager on the offscreen platform: the native window stays the same one.
    void qtStayOnTopKeepsTheNativeWindow() {
        QWidget window;
        window.setFixedSize(120, 80);
        window.move(40, 30);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const WId id = window.winId();
        QWindow* native = window.windowHandle();
        const QRect before = window.geometry();
        QtWindowManager wm;
        wm.setStayOnTop(&window, true);
        QVERIFY(native->flags() & Qt::WindowStaysOnTopHint);
        QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(window.windowHandle(), native);
        QCOMPARE(window.winId(), id);
        QVERIFY(window.isVisible());
        QCOMPARE(window.geometry(), before);
        wm.setStayOnTop(&window, false);
        QVERIFY(!(native->flags() & Qt::WindowStaysOnTopHint));
        QVERIFY(!(window.windowFlags() & Qt::WindowStaysOnTopHint));
        QCOMPARE(window.winId(), id);
        QVERIFY(window.isVisible());
        QCOMPARE(window.geometry(), before);
    }

    void qtStayOnTopBeforeShowing() {
        QWidget window;
        QtWindowManager wm;
        wm.setStayOnTop(&window, true);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    }

    void qtMoveWherePlatformCannotLeavesWindow() {
        // The offscreen platform has no window manager to move windows.
        QWidget window;
        window.setFixedSize(120, 80);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect before = window.geometry();
        QtWindowManager().startMove(&window);
        QtWindowManager().startMove(nullptr);
        QCOMPARE(window.geometry(), before);
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(TestFrame)
#include "test_frame.moc"

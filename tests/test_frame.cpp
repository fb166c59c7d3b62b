// The window frame and the commands: moving by the body, Stay On Top, the help box, the link
// and the fixed size; with the service fakes, and the Qt window manager and message box on the
// offscreen platform.

#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include "app/platform/qt_services.h"
#include "fakes.h"
#include "support.h"

using namespace swatchly;

Q_DECLARE_METATYPE(Qt::MouseButton)

namespace {
const QString kHelp = QStringLiteral(
    "Click Grab Color, put your mouse over the color you'd like and then left click the color.  "
    "If there are features you would like to see added to this application please contact "
    "support@swatchly.example.");
}  // namespace

class TestFrame : public QObject {
    Q_OBJECT
private slots:
    // A double click, delivered to the window as the platform would so that Qt finds the widget
    // under the pointer: each press on the bare body asks for a move, on a control none; each
    // press on the link opens the home page. Services that fail pass silently.
    void pressOnTheWindow_data() {
        QTest::addColumn<QString>("control");  // empty: the bare client area
        QTest::addColumn<QPoint>("at");        // in the control; (-1, -1) for its middle
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("fail");
        QTest::addColumn<int>("moves");
        QTest::addColumn<int>("opened");
        auto row = [](const char* name, const char* control, QPoint at, Qt::MouseButton button,
                      int moves, int opened, bool fail = false) {
            QTest::newRow(name) << control << at << button << fail << moves << opened;
        };
        const QPoint middle(-1, -1);
        row("body below the frames", "", {120, 240}, Qt::LeftButton, 2, 0);
        row("body right margin", "", {292, 60}, Qt::RightButton, 2, 0);
        row("body top-left corner", "", {0, 0}, Qt::MiddleButton, 2, 0);
        row("move cannot start", "", {3, 120}, Qt::LeftButton, 2, 0, true);
        row("text box", "HexVal", middle, Qt::RightButton, 0, 0);
        row("scroll bar", "TScroll", middle, Qt::LeftButton, 0, 0);
        row("Frame1, bare part", "Frame1", {140, 100}, Qt::LeftButton, 0, 0);
        row("Frame2, bare part", "Frame2", {200, 5}, Qt::RightButton, 0, 0);
        row("label in a frame", "Label4", middle, Qt::LeftButton, 0, 0);
        // Label9 lies partly behind Frame2, which comes earlier in the definition.
        row("empty label", "Label9", {16, 35}, Qt::MiddleButton, 0, 0);
        row("link", "Label7", {20, 8}, Qt::LeftButton, 0, 2);
        row("link cannot open", "Label7", {20, 8}, Qt::MiddleButton, 0, 2, true);
    }
    void pressOnTheWindow() {
        QFETCH(QString, control);
        QFETCH(QPoint, at);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, fail);
        QFETCH(int, moves);
        QFETCH(int, opened);
        Unhandled unhandled;
        Fakes fakes;
        fakes.windowManager->fail = fakes.shell->fail = fail;
        Form1 form(fakes.services());
        QVERIFY(showActive(form));
        const QRect before = form.geometry();
        if (!control.isEmpty()) {
            auto* target = form.findChild<QWidget*>(control);
            at = target->mapTo(form.centralWidget(), at.x() < 0 ? target->rect().center() : at);
            // The row really presses on that control (or on a part of it).
            QWidget* hit = form.centralWidget()->childAt(at);
            QVERIFY(hit == target || target->isAncestorOf(hit));
        }
        QTest::mouseDClick(form.windowHandle(), button, {}, form.centralWidget()->mapTo(&form, at));
        QCOMPARE(fakes.windowManager->moves, moves);
        QCOMPARE(fakes.shell->opened, QStringList(opened, "https://swatchly.example/"));
        QVERIFY(fakes.windowManager->stayOnTopCalls.isEmpty());
        QVERIFY(fakes.messageBox->calls.isEmpty());
        QVERIFY(unhandled.numbers.isEmpty());
        QCOMPARE(form.geometry(), before);
    }

    void stayOnTopToggles() {
        Fakes fakes;
        Form1 form(fakes.services());
        QVERIFY(showActive(form));
        const QRect before = form.geometry();
        QList<bool> calls;
        for (bool on : {true, false}) {
            form.stay->trigger();
            QCOMPARE(fakes.windowManager->stayOnTopCalls, calls << on);
            QCOMPARE(form.stay->isChecked(), on);
            QCOMPARE(form.geometry(), before);
        }
        // Timer2 (never enabled) would make the window topmost, leaving the menu's mark alone.
        QVERIFY(!form.Timer2->isTicking());
        form.Timer2_Timer();
        QCOMPARE(fakes.windowManager->stayOnTopCalls, calls << true);
        QVERIFY(!form.stay->isChecked());
    }

    void helpBoxShowsTheHelpText() {
        Fakes fakes;
        Form1 form(fakes.services());
        QVERIFY(showActive(form));
        form.abt->trigger();
        // OK only with the information icon: 64.
        QCOMPARE(fakes.messageBox->calls,
                 (QList<FakeMessageBox::Call>{{kHelp, 64, "Swatchly Help"}}));
        QVERIFY(form.isVisible());
    }

    void qtMessageBoxIsInformationWithOkOnly() {
        QWidget parent;
        parent.show();
        QString seen;
        QTimer::singleShot(0, &parent, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            seen = QString("%1|%2|%3").arg(box->windowTitle()).arg(int(box->icon())).arg(
                box->buttons().size());
            box->button(QMessageBox::Ok)->click();
        });
        QtMessageBox().show(&parent, kHelp, MessageBox::Information, "Swatchly Help");
        QCOMPARE(seen, QString("Swatchly Help|%1|1").arg(int(QMessageBox::Information)));
    }

    void sizeIsFixed() {
        Form1 form;
        QVERIFY(showActive(form));
        // The client area keeps its 4440 x 3825 twips below the menu bar.
        const QSize fixed(296, 255 + form.menuBar()->height());
        QCOMPARE(form.size(), fixed);
        for (QSize request : {QSize(640, 480), QSize(100, 80)}) {
            form.resize(request);
            form.windowHandle()->resize(request);
            QTRY_COMPARE(form.size(), fixed);
            QCOMPARE(form.centralWidget()->size(), QSize(296, 255));
        }
    }

    // The Qt window manager on the offscreen platform: on top before and after showing, on the
    // same native window, and a move the platform cannot make leaves the window as it is.
    void qtWindowManager() {
        QWidget window;
        QtWindowManager wm;
        wm.setStayOnTop(&window, true);
        QVERIFY(showActive(window));
        const WId id = window.winId();
        const QRect before = window.geometry();
        for (bool on : {true, false, true}) {
            wm.setStayOnTop(&window, on);
            QCOMPARE(bool(window.windowHandle()->flags() & Qt::WindowStaysOnTopHint), on);
            QCOMPARE(window.winId(), id);
            QCOMPARE(window.geometry(), before);
        }
        wm.startMove(&window);
        wm.startMove(nullptr);
        QCOMPARE(window.geometry(), before);
    }
};

QTEST_MAIN(TestFrame)
#include "test_frame.moc"

// What a screen reader and a keyboard user get: every control says what it is, and the whole
// window works from the keyboard, in the window's tab order.

#include <QAccessible>
#include <QApplication>
#include <QMenuBar>
#include <QtTest>

#include "fakes.h"
#include "support.h"

using namespace swatchly;

namespace {

QString accessibleText(QObject* object, QAccessible::Text text) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(text) : QString();
}
QString nameOf(QObject* object) { return accessibleText(object, QAccessible::Name); }

// The names of the entries an accessible menu or menu bar offers.
QStringList entryNames(QObject* menu) {
    QStringList names;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(menu);
    for (int i = 0; face && i < face->childCount(); ++i)
        names << face->child(i)->text(QAccessible::Name);
    return names;
}

// The window shown and active, with every desktop service faked, so keys go to its focus.
struct ActiveForm {
    Fakes fakes;
    Form1 form{fakes.services()};
    ActiveForm() {
        if (!showActive(form)) qWarning("the window did not become active");
    }
    QWidget* focus() const { return QApplication::focusWidget(); }
    void press(Qt::Key key, int times = 1, Qt::KeyboardModifiers modifiers = {}) {
        for (int i = 0; i < times; ++i) QTest::keyClick(focus(), key, modifiers);
    }
    // The bars and the preview agree on the colour.
    void verifyColour(Rgb colour) const {
        QCOMPARE(bars(form), colour);
        QCOMPARE(form.NewPrev->BackColor(), packed(colour));
    }
};

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void everyControlHasAName() {
        Form1 form;
        form.show();
        int named = 0;
        for (QWidget* w : form.findChildren<QWidget*>()) {
            if (!w->isVisibleTo(&form) && !(w->focusPolicy() & Qt::TabFocus)) continue;
            QVERIFY2(!nameOf(w).trimmed().isEmpty(),
                     qPrintable(QString("%1 (%2) has no accessible name")
                                    .arg(w->objectName(), w->metaObject()->className())));
            ++named;
        }
        // The 40 controls of the window that are widgets and shown, the client area they sit
        // in and the menu bar.
        QCOMPARE(named, 42);
        QCOMPARE(entryNames(form.menuBar()), QStringList({"File", "Options"}));
        QCOMPARE(nameOf(form.f), QString("File"));
        QCOMPARE(entryNames(form.f), QStringList({"Help", "Exit"}));
        QCOMPARE(nameOf(form.opt), QString("Options"));
        QCOMPARE(entryNames(form.opt), QStringList({"Stay On Top"}));
    }

    // A few names by their source: caption, tooltip, or the row or bar the control belongs to;
    // the Set buttons also say which row they apply.
    void namesSayWhatAControlIs_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");  // checked where given
        QTest::newRow("caption") << "GetPixelbtn" << "Grab Color" << QString();
        QTest::newRow("link") << "Label7" << "https://swatchly.example/" << QString();
        QTest::newRow("Set: decimal row") << "RGBSet" << "Set"
                                          << "Applies the red, green and blue values";
        QTest::newRow("Set: VB row") << "VbSet" << "Set" << "Applies the VB hex text";
        QTest::newRow("Set: HEX row") << "HexSet" << "Set" << "Applies the HTML hex text";
        QTest::newRow("tooltip") << "SaveC3" << "Doubleclick to set as current color" << QString();
        QTest::newRow("box of a row") << "HexVal" << "HTML hex" << QString();
        QTest::newRow("box of a channel") << "Rtxt" << "Red value" << QString();
        QTest::newRow("bar") << "TScroll" << "Tone" << QString();
    }
    void namesSayWhatAControlIs() {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(QString, description);
        Form1 form;
        QWidget* w = form.findChild<QWidget*>(control);
        QVERIFY(w);
        QCOMPARE(nameOf(w), name);
        if (!description.isNull())
            QCOMPARE(accessibleText(w, QAccessible::Description), description);
    }

    void tabKeyFollowsTheTabOrder() {
        ActiveForm f;
        Form1& form = f.form;
        const QList<QWidget*> order = {form.RScroll,     form.GScroll, form.BScroll, form.TScroll,
                                       form.GetPixelbtn, form.VbSet,   form.HexSet,  form.VbVal,
                                       form.HexVal,      form.RGBSet,  form.Btxt,    form.Gtxt,
                                       form.Rtxt,        form.Text1};
        // The window opens with the focus on the first control.
        QCOMPARE(f.focus(), order.first());
        for (int i = 1; i <= order.size(); ++i) {
            f.press(Qt::Key_Tab);
            QCOMPARE(f.focus(), order[i % order.size()]);  // and round again
        }
        for (int i = order.size() - 1; i >= 0; --i) {
            f.press(Qt::Key_Tab, 1, Qt::ShiftModifier);
            QCOMPARE(f.focus(), order[i]);
        }
    }

    void barsMoveByKeys_data() {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<Rgb>("colour");
        QTest::newRow("red: Right Right Left")
            << "RScroll" << QList<int>{Qt::Key_Right, Qt::Key_Right, Qt::Key_Left} << Rgb{1, 0, 0};
        // Page Up goes towards the start, as on any scroll bar.
        QTest::newRow("green: Page Down") << "GScroll" << QList<int>{Qt::Key_PageDown} << Rgb{0, 10, 0};
        QTest::newRow("blue: End Page Up")
            << "BScroll" << QList<int>{Qt::Key_End, Qt::Key_PageUp} << Rgb{0, 0, 245};
        QTest::newRow("green: Page Down Home")
            << "GScroll" << QList<int>{Qt::Key_PageDown, Qt::Key_Home} << Rgb{0, 0, 0};
        QTest::newRow("tone: Page Down") << "TScroll" << QList<int>{Qt::Key_PageDown} << Rgb{10, 10, 10};
    }
    void barsMoveByKeys() {
        QFETCH(QString, bar);
        QFETCH(QList<int>, keys);
        QFETCH(Rgb, colour);
        ActiveForm f;
        f.form.findChild<QWidget*>(bar)->setFocus(Qt::TabFocusReason);
        for (int key : keys) f.press(Qt::Key(key));
        f.verifyColour(colour);
    }

    // Tab to a box (its text selected, so typing replaces it), type, Shift+Tab back to the
    // row's Set and press Space.
    void colourAppliedByKeyboardOnly_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("tabs");  // from the first control
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("backTabs");
        QTest::addColumn<QString>("set");
        QTest::addColumn<Rgb>("colour");
        QTest::newRow("HTML hex") << "HexVal" << 8 << "#FF8000" << 2 << "HexSet"
                                  << Rgb{255, 128, 0};
        QTest::newRow("VB hex") << "VbVal" << 7 << "&H0080FF&" << 2 << "VbSet"
                                << Rgb{255, 128, 0};
        QTest::newRow("blue value") << "Btxt" << 10 << "128" << 1 << "RGBSet" << Rgb{0, 0, 128};
        QTest::newRow("red value") << "Rtxt" << 12 << "200" << 3 << "RGBSet" << Rgb{200, 0, 0};
    }
    void colourAppliedByKeyboardOnly() {
        QFETCH(QString, box);
        QFETCH(int, tabs);
        QFETCH(QString, typed);
        QFETCH(int, backTabs);
        QFETCH(QString, set);
        QFETCH(Rgb, colour);
        ActiveForm f;
        QCOMPARE(f.focus(), f.form.RScroll);
        f.press(Qt::Key_Tab, tabs);
        auto* edit = f.form.findChild<TextBox*>(box);
        QCOMPARE(f.focus(), edit);
        QVERIFY(!edit->Text().isEmpty());
        QCOMPARE(edit->selectedText(), edit->Text());
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->Text(), typed);
        f.press(Qt::Key_Tab, backTabs, Qt::ShiftModifier);
        QCOMPARE(f.focus(), f.form.findChild<QWidget*>(set));
        f.press(Qt::Key_Space);
        f.verifyColour(colour);
    }

    // Alt reaches the menu bar; the arrows and Return pick a command.
    void menusByKeyboard_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<bool>("stayOnTop");
        QTest::addColumn<bool>("help");
        QTest::newRow("Options > Stay On Top")
            << QList<int>{Qt::Key_Alt, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return} << true
            << false;
        QTest::newRow("File > Help")
            << QList<int>{Qt::Key_Alt, Qt::Key_Down, Qt::Key_Return} << false << true;
    }
    void menusByKeyboard() {
        QFETCH(QList<int>, keys);
        QFETCH(bool, stayOnTop);
        QFETCH(bool, help);
        ActiveForm f;
        for (int key : keys) {
            QWidget* to = QApplication::activePopupWidget();
            QTest::keyClick(to ? to : f.focus(), Qt::Key(key));
        }
        QCOMPARE(f.fakes.windowManager->stayOnTopCalls,
                 stayOnTop ? QList<bool>{true} : QList<bool>{});
        QCOMPARE(f.form.stay->isChecked(), stayOnTop);
        QCOMPARE(f.fakes.messageBox->calls.size(), help ? 1 : 0);
        QVERIFY(!QApplication::activePopupWidget());
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"

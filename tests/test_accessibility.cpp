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

QString accessibleText(QObject* object, QAccessible::Text text = QAccessible::Name) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(text) : QString();
}

// The names of the entries an accessible menu or menu bar offers.
QStringList entryNames(QObject* menu) {
    QStringList names;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(menu);
    for (int i = 0; face && i < face->childCount(); ++i)
        names << face->child(i)->text(QAccessible::Name);
    return names;
}

// Plays a script on the shown and active window, each step to the focus (or the open menu):
// 'text' is typed, and the box must have had its whole text selected, so the typing replaces
// it; any other step is a key as QKeySequence names it, "*n" repeating it n times.
void play(const QString& script) {
    auto target = [] {
        QWidget* popup = QApplication::activePopupWidget();
        return popup ? popup : QApplication::focusWidget();
    };
    for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
        if (step.startsWith('\'')) {
            auto* box = qobject_cast<QLineEdit*>(target());
            QVERIFY2(box && box->selectedText() == box->text(), qPrintable(step));
            QTest::keyClicks(box, step.mid(1, step.size() - 2));
            continue;
        }
        const QString key = step.section('*', 0, 0);
        const QKeyCombination combo =
            key == "Alt" ? QKeyCombination(Qt::Key_Alt) : QKeySequence(key)[0];
        QVERIFY2(combo.key() != Qt::Key_unknown, qPrintable(step));
        for (int i = std::max(1, step.section('*', 1).toInt()); i > 0; --i)
            QTest::keyClick(target(), combo.key(), combo.keyboardModifiers());
    }
}

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
            QVERIFY2(!accessibleText(w).trimmed().isEmpty(),
                     qPrintable(QString("%1 (%2) has no accessible name")
                                    .arg(w->objectName(), w->metaObject()->className())));
            ++named;
        }
        // The 40 controls of the window that are widgets and shown, the client area they sit
        // in and the menu bar.
        QCOMPARE(named, 42);
        QCOMPARE(entryNames(form.menuBar()), QStringList({"File", "Options"}));
        QCOMPARE(entryNames(form.f), QStringList({"Help", "Exit"}));
        QCOMPARE(entryNames(form.opt), QStringList({"Stay On Top", "Magnifier"}));
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
        QCOMPARE(accessibleText(w), name);
        if (!description.isNull())
            QCOMPARE(accessibleText(w, QAccessible::Description), description);
    }

    void tabKeyFollowsTheTabOrder() {
        Fakes fakes;
        Form1 form{fakes.services()};
        QVERIFY(showActive(form));
        const QList<QWidget*> order = {form.RScroll,     form.GScroll, form.BScroll, form.TScroll,
                                       form.GetPixelbtn, form.VbSet,   form.HexSet,  form.VbVal,
                                       form.HexVal,      form.RGBSet,  form.Btxt,    form.Gtxt,
                                       form.Rtxt,        form.Text1};
        // The window opens with the focus on the first control.
        QCOMPARE(QApplication::focusWidget(), order.first());
        for (int i = 1; i <= order.size(); ++i) {
            play("Tab");
            QCOMPARE(QApplication::focusWidget(), order[i % order.size()]);  // and round again
        }
        for (int i = order.size() - 1; i >= 0; --i) {
            play("Shift+Tab");
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }
    }

    // From the first control, by keys alone: the bars, a colour typed into a box and applied
    // by the row's Set, and the menus (Alt reaches the menu bar).
    void keyboardOnly_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<Rgb>("colour");
        QTest::addColumn<bool>("stayOnTop");
        QTest::addColumn<int>("helpBoxes");
        QTest::newRow("red bar") << "Right*2 Left" << Rgb{1, 0, 0} << false << 0;
        // Page Up goes towards the start, as on any scroll bar.
        QTest::newRow("green bar") << "Tab PgDown" << Rgb{0, 10, 0} << false << 0;
        QTest::newRow("green bar home") << "Tab PgDown Home" << Rgb{0, 0, 0} << false << 0;
        QTest::newRow("blue bar") << "Tab*2 End PgUp" << Rgb{0, 0, 245} << false << 0;
        QTest::newRow("tone bar") << "Tab*3 PgDown" << Rgb{10, 10, 10} << false << 0;
        QTest::newRow("HTML hex") << "Tab*8 '#FF8000' Shift+Tab*2 Space" << Rgb{255, 128, 0}
                                  << false << 0;
        QTest::newRow("VB hex") << "Tab*7 '&H0080FF&' Shift+Tab*2 Space" << Rgb{255, 128, 0}
                                << false << 0;
        QTest::newRow("blue value") << "Tab*10 '128' Shift+Tab Space" << Rgb{0, 0, 128} << false
                                    << 0;
        QTest::newRow("red value") << "Tab*12 '200' Shift+Tab*3 Space" << Rgb{200, 0, 0} << false
                                   << 0;
        QTest::newRow("Options > Stay On Top") << "Alt Right Down Return" << Rgb{0, 0, 0} << true
                                               << 0;
        QTest::newRow("File > Help") << "Alt Down Return" << Rgb{0, 0, 0} << false << 1;
    }
    void keyboardOnly() {
        QFETCH(QString, script);
        QFETCH(Rgb, colour);
        QFETCH(bool, stayOnTop);
        QFETCH(int, helpBoxes);
        Fakes fakes;
        Form1 form{fakes.services()};
        QVERIFY(showActive(form));
        play(script);
        QCOMPARE(bars(form), colour);
        QCOMPARE(form.NewPrev->BackColor(), packed(colour));
        QCOMPARE(fakes.windowManager->stayOnTopCalls, stayOnTop ? QList<bool>{true} : QList<bool>{});
        QCOMPARE(form.stay->isChecked(), stayOnTop);
        QCOMPARE(fakes.messageBox->calls.size(), helpBoxes);
        QVERIFY(!QApplication::activePopupWidget());
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"

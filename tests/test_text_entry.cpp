// Applying typed text with the three Set buttons, the HTML mirror, and select-all on focus.

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QtTest>

#include "app/form1.h"
#include "colour/text_formats.h"
#include "fakes.h"

using namespace swatchly;

namespace {

int packed(const Form1& form) {
    return rgb(form.RScroll->Value(), form.GScroll->Value(), form.BScroll->Value());
}

void setColour(Form1& form, int red, int green, int blue) {
    form.SetBars(std::int16_t(red), std::int16_t(green), std::int16_t(blue));
}

// Text the user typed but has not applied: no Change handler of the bars ran for it.
void type(TextBox* box, const QString& text) { box->setText(text); }

void showActive(Form1& form) {
    form.show();
    QApplication::setActiveWindow(&form);
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

}  // namespace

class TestTextEntry : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // ---- RGBSet

    void rgbSet_data() {
        QTest::addColumn<int>("start");  // packed colour before the click
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("boxes");  // Rtxt, Gtxt, Btxt afterwards
        QTest::addColumn<int>("colour");
        const int grey = rgb(50, 60, 70);
        QTest::newRow("300, -4, abc") << grey << QStringList{"300", "-4", "abc"}
                                      << QStringList{"255", "0", "0"} << rgb(255, 0, 70);
        QTest::newRow("all empty") << grey << QStringList{"", "", ""}
                                   << QStringList{"0", "0", "0"} << 0;
        QTest::newRow("blanks") << grey << QStringList{"  ", " ", "   "}
                                << QStringList{"0", "0", "0"} << 0;
        QTest::newRow("12.5 and &HFF") << 0 << QStringList{"12.5", "0", "&HFF"}
                                       << QStringList{"12", "0", "255"} << rgb(12, 0, 255);
        QTest::newRow("12.7 and 007") << 0 << QStringList{"12.7", "007", "254.5"}
                                      << QStringList{"13", "7", "254"} << rgb(13, 7, 254);
        QTest::newRow("nothing numeric") << grey << QStringList{"x", "y", "z"}
                                         << QStringList{"0", "0", "0"} << grey;
        QTest::newRow("present values as typed") << grey << QStringList{"50.0", "060", "70"}
                                                 << QStringList{"50.0", "060", "70"} << grey;
        QTest::newRow("exponent, thousands") << 0 << QStringList{"1e2", "1,000", "255.2"}
                                             << QStringList{"100", "255", "255"}
                                             << rgb(100, 255, 255);
    }
    void rgbSet() {
        QFETCH(int, start);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, boxes);
        QFETCH(int, colour);
        Fakes fakes;
        Form1 form(fakes.services());
        form.SetBarsFromLongColor(start);
        type(form.Rtxt, typed[0]);
        type(form.Gtxt, typed[1]);
        type(form.Btxt, typed[2]);
        QTest::mouseClick(form.RGBSet, Qt::LeftButton);
        QCOMPARE(packed(form), colour);
        QCOMPARE(form.NewPrev->BackColor(), colour);
        QCOMPARE((QStringList{form.Rtxt->Text(), form.Gtxt->Text(), form.Btxt->Text()}), boxes);
        const Variant r(form.RScroll->Value()), g(form.GScroll->Value()), b(form.BScroll->Value());
        QCOMPARE(form.HexVal->Text(), htmlHexText(r, g, b));
        QCOMPARE(form.Text1->Text(), form.HexVal->Text());
        QCOMPARE(form.VbVal->Text(), vbHexText(r, g, b));
        QVERIFY(fakes.messageBox->calls.isEmpty());
    }

    void rgbSetHandlesEachBoxInTurn() {
        Fakes fakes;
        Form1 form(fakes.services());
        type(form.Rtxt, "12.7");
        type(form.Gtxt, "007");
        type(form.Btxt, "abc");
        // What the other boxes hold while each bar's Change runs.
        QStringList seen;
        auto record = [&] {
            seen << form.Rtxt->Text() + "|" + form.Gtxt->Text() + "|" + form.Btxt->Text();
        };
        form.RScroll->Change = [&] { form.RScroll_Change(); record(); };
        form.GScroll->Change = [&] { form.GScroll_Change(); record(); };
        form.BScroll->Change = [&] { form.BScroll_Change(); record(); };
        form.RGBSet_Click();
        QCOMPARE(seen, (QStringList{"13|007|abc", "13|7|abc"}));
        QCOMPARE(form.Btxt->Text(), QString("0"));
        QCOMPARE(packed(form), rgb(13, 7, 0));
    }

    // ---- HexSet

    void hexSet_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("colour");
        QTest::addColumn<QString>("hexVal");
        const int grey = rgb(50, 60, 70);
        const int orange = rgb(255, 128, 0);
        QTest::newRow("#ff8000") << grey << "#ff8000" << orange << "#FF8000";
        QTest::newRow("ff8000") << grey << "ff8000" << orange << "#FF8000";
        QTest::newRow("#FF8000xyz") << grey << "#FF8000xyz" << orange << "#FF8000";
        QTest::newRow("from black") << 0 << "ff8000" << orange << "#FF8000";
        QTest::newRow("#FF80 wrong shape") << grey << "#FF80" << 0 << "#000000";
        QTest::newRow("#FF80GG bad digit") << grey << "#FF80GG" << 0 << "#000000";
        QTest::newRow("empty") << grey << "" << 0 << "#000000";
        QTest::newRow("wrong shape, already black") << 0 << "#FF80" << 0 << "#000000";
        QTest::newRow("bad red, already black") << 0 << "#GG8000" << 0 << "#000000";
        QTest::newRow("seven without #") << grey << "FF80001" << 0 << "#000000";
    }
    void hexSet() {
        QFETCH(int, start);
        QFETCH(QString, typed);
        QFETCH(int, colour);
        QFETCH(QString, hexVal);
        Fakes fakes;
        Form1 form(fakes.services());
        form.SetBarsFromLongColor(start);
        type(form.HexVal, typed);
        QCOMPARE(form.Text1->Text(), typed);
        QTest::mouseClick(form.HexSet, Qt::LeftButton);
        QCOMPARE(packed(form), colour);
        QCOMPARE(form.HexVal->Text(), hexVal);
        QCOMPARE(form.Text1->Text(), hexVal);
        const Variant r(form.RScroll->Value()), g(form.GScroll->Value()), b(form.BScroll->Value());
        QCOMPARE(form.VbVal->Text(), vbHexText(r, g, b));
        QCOMPARE(form.Rtxt->Text(), QString::number(form.RScroll->Value()));
        QVERIFY(fakes.messageBox->calls.isEmpty());
    }

    void hexSetWithThePresentColourKeepsTheTypedText() {
        Fakes fakes;
        Form1 form(fakes.services());
        setColour(form, 255, 128, 0);
        type(form.HexVal, "ff8000");
        int changes = 0;
        for (ScrollBar* bar : {form.RScroll, form.GScroll, form.BScroll})
            bar->Change = [&] { ++changes; };
        form.HexSet_Click();
        QCOMPARE(changes, 0);
        QCOMPARE(form.HexVal->Text(), QString("ff8000"));
        QCOMPARE(form.Text1->Text(), QString("ff8000"));
        QCOMPARE(packed(form), rgb(255, 128, 0));
    }

    // ---- VbSet

    void vbSet_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("colour");
        QTest::addColumn<QString>("vbVal");
        QTest::addColumn<bool>("message");
        const int grey = rgb(50, 60, 70);
        const int orange = rgb(255, 128, 0);
        QTest::newRow("&H0080FF&") << grey << "&H0080FF&" << orange << "&H0080FF&" << false;
        QTest::newRow("&H0080FF") << grey << "&H0080FF" << orange << "&H0080FF&" << false;
        QTest::newRow("0080FF") << grey << "0080FF" << orange << "&H0080FF&" << false;
        QTest::newRow("&h0080FF& small h") << grey << "&h0080FF&" << 0 << "&H000000&" << false;
        QTest::newRow("empty") << grey << "" << 0 << "&H000000&" << false;
        QTest::newRow("&HFF") << grey << "&HFF" << 0 << "&H000000&" << false;
        QTest::newRow("&H0080ZZ& bad red") << grey << "&H0080ZZ&" << 0 << "&H000000&" << true;
        QTest::newRow("bad blue") << grey << "&HXX80FF&" << 0 << "&H000000&" << true;
        QTest::newRow("bad digit, already black") << 0 << "&H00G0FF&" << 0 << "&H000000&"
                                                  << true;
    }
    void vbSet() {
        QFETCH(int, start);
        QFETCH(QString, typed);
        QFETCH(int, colour);
        QFETCH(QString, vbVal);
        QFETCH(bool, message);
        Fakes fakes;
        Form1 form(fakes.services());
        form.SetBarsFromLongColor(start);
        type(form.VbVal, typed);
        // While the box is open the colour is still the old one and the text already reset.
        int colourWhileOpen = -1;
        QString textWhileOpen;
        fakes.messageBox->whileOpen = [&] {
            colourWhileOpen = packed(form);
            textWhileOpen = form.VbVal->Text();
        };
        QTest::mouseClick(form.VbSet, Qt::LeftButton);
        QCOMPARE(packed(form), colour);
        QCOMPARE(form.VbVal->Text(), vbVal);
        const Variant r(form.RScroll->Value()), g(form.GScroll->Value()), b(form.BScroll->Value());
        QCOMPARE(form.HexVal->Text(), htmlHexText(r, g, b));
        QCOMPARE(form.Text1->Text(), form.HexVal->Text());
        QCOMPARE(fakes.messageBox->calls.size(), message ? 1 : 0);
        if (message) {
            const FakeMessageBox::Call call = fakes.messageBox->calls.first();
            QVERIFY(call.text.contains("not a hexadecimal color"));
            QCOMPARE(call.style, int(MessageBox::OkOnly));
            QCOMPARE(call.title, QString("Swatchly"));
            QCOMPARE(colourWhileOpen, start);
            QCOMPARE(textWhileOpen, QString("&H000000&"));
        }
    }

    // ---- the HTML mirror

    void typingInHexValMirrorsEveryKeystroke() {
        Fakes fakes;
        Form1 form(fakes.services());
        showActive(form);
        setColour(form, 1, 2, 3);
        form.HexVal->setFocus();
        form.HexVal->clear();
        QCOMPARE(form.Text1->Text(), QString());
        QString typed;
        for (QChar c : QString("#ff8")) {
            QTest::keyClick(form.HexVal, c.toLatin1());
            typed += c;
            QCOMPARE(form.Text1->Text(), typed);
        }
        QTest::keyClick(form.HexVal, Qt::Key_Backspace);
        QCOMPARE(form.Text1->Text(), QString("#ff"));
        QCOMPARE(packed(form), rgb(1, 2, 3));
        QCOMPARE(form.VbVal->Text(), QString("&H030201&"));
    }

    void text1FollowsTheColourWhateverWasTyped() {
        // HexVal already holds the text of the colour about to be set, so setting it changes
        // no text there; Text1 must still end showing the colour, not what was typed into it.
        Fakes fakes;
        Form1 form(fakes.services());
        showActive(form);
        form.HexVal->setFocus();
        QTest::keyClicks(form.HexVal, "#0A0000");
        form.Text1->setFocus();
        QTest::keyClicks(form.Text1, "junk");
        QCOMPARE(form.Text1->Text(), QString("junk"));
        form.RScroll->setValue(10);
        QCOMPARE(form.HexVal->Text(), QString("#0A0000"));
        QCOMPARE(form.Text1->Text(), QString("#0A0000"));
    }

    // ---- select-all on focus

    void focus_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");  // the control Tab leaves for the box
        QTest::newRow("Rtxt") << "Rtxt" << "Gtxt";
        QTest::newRow("Gtxt") << "Gtxt" << "Btxt";
        QTest::newRow("Btxt") << "Btxt" << "RGBSet";
        QTest::newRow("HexVal") << "HexVal" << "VbVal";
        QTest::newRow("VbVal") << "VbVal" << "HexSet";
        QTest::newRow("Text1") << "Text1" << "Rtxt";
    }

    void tabSelectsTheWholeText_data() { focus_data(); }
    void tabSelectsTheWholeText() {
        QFETCH(QString, box);
        QFETCH(QString, before);
        Fakes fakes;
        Form1 form(fakes.services());
        showActive(form);
        auto* target = form.findChild<TextBox*>(box);
        auto* previous = form.findChild<QWidget*>(before);
        previous->setFocus();
        QVERIFY(!target->hasFocus());
        // A part selected while the box had no focus does not survive tabbing in.
        target->QLineEdit::setText("123 456");
        target->setSelection(2, 3);
        QTest::keyClick(previous, Qt::Key_Tab);
        QVERIFY(target->hasFocus());
        QCOMPARE(target->selectedText(), QString("123 456"));
        QTest::keyClick(target, Qt::Key_9);
        QCOMPARE(target->text(), QString("9"));
    }

    void clickSelectsTheWholeText_data() { focus_data(); }
    void clickSelectsTheWholeText() {
        QFETCH(QString, box);
        Fakes fakes;
        Form1 form(fakes.services());
        showActive(form);
        auto* target = form.findChild<TextBox*>(box);
        form.RScroll->setFocus();
        target->QLineEdit::setText("123 456");
        const QPoint middle = target->rect().center();
        QTest::mouseClick(target, Qt::LeftButton, {}, middle);
        QVERIFY(target->hasFocus());
        QCOMPARE(target->selectedText(), QString("123 456"));
        // Once it has the focus, a click places the cursor as usual.
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(1, middle.y()));
        QVERIFY(!target->hasSelectedText());
        QCOMPARE(target->cursorPosition(), 0);
    }

    void clickWithAJitterKeepsTheSelection() {
        Fakes fakes;
        Form1 form(fakes.services());
        showActive(form);
        form.RScroll->setFocus();
        form.HexVal->QLineEdit::setText("#123456");
        const QPoint at = form.HexVal->rect().center();
        QTest::mousePress(form.HexVal, Qt::LeftButton, {}, at);
        QTest::mouseMove(form.HexVal, at + QPoint(6, 0));
        QTest::mouseRelease(form.HexVal, Qt::LeftButton, {}, at + QPoint(6, 0));
        QCOMPARE(form.HexVal->selectedText(), QString("#123456"));
    }

    void contextMenuPasteInsertsAtTheCursor() {
        // Closing the context menu gives the focus back; that is no new focus, so the text
        // stays unselected and Paste inserts rather than replacing everything.
        Fakes fakes;
        Form1 form(fakes.services());
        showActive(form);
        form.HexVal->setFocus();
        form.HexVal->QLineEdit::setText("#1256");
        form.HexVal->setCursorPosition(3);
        QGuiApplication::clipboard()->setText("34");
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                                form.HexVal->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(form.HexVal, &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        // The menu's Paste item, known by its shortcut whatever the language.
        const QString pasteKey = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        QAction* paste = nullptr;
        for (QAction* action : menu->actions())
            if (action->text().endsWith(u'\t' + pasteKey)) paste = action;
        QVERIFY(paste);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(paste).center());
        QVERIFY(!QApplication::activePopupWidget());
        QVERIFY(form.HexVal->hasFocus());
        QCOMPARE(form.HexVal->text(), QString("#123456"));
    }
};

QTEST_MAIN(TestTextEntry)
#include "test_text_entry.moc"

// Applying typed text with the three Set buttons, the HTML mirror, and select-all on focus.

#include <QClipboard>
#include <QtTest>

#include "colour/text_formats.h"
#include "fakes.h"
#include "support.h"

using namespace swatchly;

class TestTextEntry : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // A Set button applying what was typed into its row ("|" between the RGB boxes): the colour
    // it leaves, the row's boxes afterwards and whether the message box came up.
    void commands_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("colour");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("message");
        auto row = [](const char* name, const char* button, int start, const char* typed,
                      int colour, const char* after, bool message = false) {
            QTest::newRow(name) << button << start << typed << colour << after << message;
        };
        const int grey = rgb(50, 60, 70), orange = rgb(255, 128, 0);
        row("RGB 300, -4, abc", "RGBSet", grey, "300|-4|abc", rgb(255, 0, 70), "255|0|0");
        row("RGB all empty", "RGBSet", grey, "||", 0, "0|0|0");
        row("RGB 12.5 and &HFF", "RGBSet", 0, "12.5|0|&HFF", rgb(12, 0, 255), "12|0|255");
        row("RGB nothing numeric", "RGBSet", grey, "x|y|z", grey, "0|0|0");
        row("RGB present values", "RGBSet", grey, "50.0|060|70", grey, "50.0|060|70");
        row("HEX #ff8000", "HexSet", grey, "#ff8000", orange, "#FF8000");
        row("HEX present colour keeps the text", "HexSet", orange, "ff8000", orange, "ff8000");
        row("HEX #FF80 wrong shape", "HexSet", grey, "#FF80", 0, "#000000");
        row("HEX #FF80GG bad digit", "HexSet", grey, "#FF80GG", 0, "#000000");
        row("HEX wrong shape, already black", "HexSet", 0, "#FF80", 0, "#000000");
        row("HEX bad red, already black", "HexSet", 0, "#GG8000", 0, "#000000");
        row("VB &H0080FF&", "VbSet", grey, "&H0080FF&", orange, "&H0080FF&");
        row("VB &h0080FF& small h", "VbSet", grey, "&h0080FF&", 0, "&H000000&");
        row("VB &HFF", "VbSet", grey, "&HFF", 0, "&H000000&");
        row("VB &H0080ZZ& bad red", "VbSet", grey, "&H0080ZZ&", 0, "&H000000&", true);
        row("VB bad blue", "VbSet", grey, "&HXX80FF&", 0, "&H000000&", true);
        row("VB bad digit, already black", "VbSet", 0, "&H00G0FF&", 0, "&H000000&", true);
    }
    void commands() {
        QFETCH(QString, button);
        QFETCH(int, start);
        QFETCH(QString, typed);
        QFETCH(int, colour);
        QFETCH(QString, after);
        QFETCH(bool, message);
        Fakes fakes;
        Form1 form(fakes.services());
        form.SetBarsFromLongColor(start);
        const QList<TextBox*> row = button == "RGBSet"   ? QList{form.Rtxt, form.Gtxt, form.Btxt}
                                    : button == "HexSet" ? QList{form.HexVal}
                                                         : QList{form.VbVal};
        for (int i = 0; i < row.size(); ++i) type(row[i], typed.split('|')[i]);
        QString whileOpen;  // the colour and VbVal while the box is open
        fakes.messageBox->whileOpen = [&] {
            whileOpen = QString("%1 %2").arg(packed(bars(form))).arg(form.VbVal->Text());
        };
        QTest::mouseClick(form.findChild<QPushButton*>(button), Qt::LeftButton);

        QCOMPARE(packed(bars(form)), colour);
        QCOMPARE(form.NewPrev->BackColor(), colour);
        // Every box shows the colour, but the row's own boxes hold what the command left there.
        const std::int16_t r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = colour >> 16;
        QStringList expected = {QString::number(r), QString::number(g), QString::number(b),
                                htmlHexText(r, g, b), vbHexText(r, g, b)};
        const int first = button == "RGBSet" ? 0 : button == "HexSet" ? 3 : 4;
        for (int i = 0; i < row.size(); ++i) expected[first + i] = after.split('|')[i];
        expected << expected[3];  // Text1 mirrors HexVal
        QCOMPARE((QStringList{form.Rtxt->Text(), form.Gtxt->Text(), form.Btxt->Text(),
                              form.HexVal->Text(), form.VbVal->Text(), form.Text1->Text()}),
                 expected);
        QCOMPARE(fakes.messageBox->calls.size(), message ? 1 : 0);
        if (!message) return;
        QVERIFY(fakes.messageBox->calls[0].text.contains("not a hexadecimal color"));
        QCOMPARE(fakes.messageBox->calls[0].style, int(MessageBox::OkOnly));
        QCOMPARE(fakes.messageBox->calls[0].title, QString("Swatchly"));
        // The bars go black only once the box is closed; the text is reset before.
        QCOMPARE(whileOpen, QString("%1 &H000000&").arg(start));
    }

    void rgbSetHandlesEachBoxInTurn() {
        Form1 form;
        type(form.Rtxt, "12.7");
        type(form.Gtxt, "007");
        type(form.Btxt, "abc");
        QStringList seen;  // the boxes while each bar's Change runs
        for (auto [bar, handler] : {std::pair{form.RScroll, &Form1::RScroll_Change},
                                    std::pair{form.GScroll, &Form1::GScroll_Change}})
            bar->Change = [&, handler = handler] {
                (form.*handler)();
                seen << form.Rtxt->Text() + "|" + form.Gtxt->Text() + "|" + form.Btxt->Text();
            };
        form.RGBSet_Click();
        QCOMPARE(seen, (QStringList{"13|007|abc", "13|7|abc"}));
        QCOMPARE(form.Btxt->Text(), QString("0"));
        QCOMPARE(bars(form), (Rgb{13, 7, 0}));
    }

    // Text1 mirrors HexVal on every keystroke, and shows the colour after a bar change even
    // where HexVal already held that colour's text, so that its text did not change.
    void text1MirrorsHexVal() {
        Form1 form;
        QVERIFY(showActive(form));
        form.HexVal->setFocus();
        form.HexVal->clear();
        QStringList mirrored;
        for (char key : {'#', '0', 'x', '\b'}) {
            QTest::keyClick(form.HexVal, key);
            mirrored << form.Text1->Text();
        }
        QCOMPARE(mirrored, (QStringList{"#", "#0", "#0x", "#0"}));
        QTest::keyClicks(form.HexVal, "A0000");
        form.Text1->setFocus();
        QTest::keyClicks(form.Text1, "junk");
        QCOMPARE(bars(form), (Rgb{0, 0, 0}));  // typing applies nothing
        form.RScroll->setValue(10);
        QCOMPARE(form.HexVal->Text(), QString("#0A0000"));
        QCOMPARE(form.Text1->Text(), QString("#0A0000"));
    }

    // Tab from the control before the box, or a click on it; a part selected before it had the
    // focus does not survive, and the click (even one that jitters) does not undo the select-all.
    void focusSelectsTheWholeText_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("click");
        for (auto [box, before] : {std::pair{"Rtxt", "Gtxt"}, {"Gtxt", "Btxt"},
                                   {"Btxt", "RGBSet"}, {"HexVal", "VbVal"},
                                   {"VbVal", "HexSet"}, {"Text1", "Rtxt"}}) {
            QTest::addRow("%s, Tab", box) << box << before << false;
            QTest::addRow("%s, click", box) << box << before << true;
        }
    }
    void focusSelectsTheWholeText() {
        QFETCH(QString, box);
        QFETCH(QString, before);
        QFETCH(bool, click);
        Form1 form;
        QVERIFY(showActive(form));
        auto* target = form.findChild<TextBox*>(box);
        auto* previous = form.findChild<QWidget*>(before);
        previous->setFocus();
        type(target, "123 456");
        target->setSelection(2, 3);
        const QPoint at = target->rect().center();
        if (click) {
            QTest::mousePress(target, Qt::LeftButton, {}, at);
            QTest::mouseMove(target, at + QPoint(6, 0));
            QTest::mouseRelease(target, Qt::LeftButton, {}, at + QPoint(6, 0));
        } else {
            QTest::keyClick(previous, Qt::Key_Tab);
        }
        QVERIFY(target->hasFocus());
        QCOMPARE(target->selectedText(), QString("123 456"));
        // Once it has the focus, a click places the cursor as usual.
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(1, at.y()));
        QVERIFY(!target->hasSelectedText());
        QCOMPARE(target->cursorPosition(), 0);
    }

    void contextMenuPasteInsertsAtTheCursor() {
        // Closing the context menu gives the focus back; that is no new focus, so the text
        // stays unselected and Paste inserts rather than replacing everything.
        Form1 form;
        QVERIFY(showActive(form));
        form.HexVal->setFocus();
        type(form.HexVal, "#1256");
        form.HexVal->setCursorPosition(3);
        QContextMenuEvent event(QContextMenuEvent::Mouse, {}, form.HexVal->mapToGlobal(QPoint()));
        QApplication::sendEvent(form.HexVal, &event);
        QVERIFY(QApplication::activePopupWidget());
        QApplication::activePopupWidget()->close();
        QVERIFY(form.HexVal->hasFocus());
        QGuiApplication::clipboard()->setText("34");
        form.HexVal->paste();
        QCOMPARE(form.HexVal->text(), QString("#123456"));
    }
};

QTEST_MAIN(TestTextEntry)
#include "test_text_entry.moc"

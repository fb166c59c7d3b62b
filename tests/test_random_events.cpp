// Thousands of random sequences of user events against the window's invariants, checked
// after every completed event. Seeded and reproducible: a failure names its seed, and
// SWATCHLY_SEED=<seed> replays that one sequence (SWATCHLY_SEQUENCES sets how many run).

#include <QRandomGenerator>
#include <QtTest>

#include "app/form1.h"
#include "app/runtime/runtime_error.h"
#include "colour/text_formats.h"
#include "fakes.h"

using namespace swatchly;

namespace {

QString randomText(QRandomGenerator& rng) {
    static const QStringList shapes = {
        "", " ", "0", "255", "256", "-1", "-0", "12.5", "13.5", "254.5", "1e2", "1e9", "&HFF",
        "&hff", "&H", "#FF8000", "ff8000", "#ff80", "#FF80GG", "&H0080FF&", "&h0080FF&",
        "0080FF", "&H0080ZZ&", "1,000", "12,5", "abc", "inf", "nan", "+7", " 42 ", "32768",
        "-32769", "1e400", "\u00e9\u00e8", "\u0661\u0662", "99999999999999999999"};
    if (rng.bounded(3)) return shapes[rng.bounded(shapes.size())];
    static const QString alphabet = "0123456789abcdefABCDEFxyz#&H.,-+eE \u00e9";
    QString s;
    for (int i = 0, n = rng.bounded(12); i < n; ++i) s += alphabet[rng.bounded(alphabet.size())];
    return s;
}

int median(int a, int b, int c) { return std::max(std::min(a, b), std::min(std::max(a, b), c)); }

struct Driver {
    QRandomGenerator rng;
    Fakes fakes;
    Form1 form{fakes.services()};
    QStringList log;
    QString failure;

    explicit Driver(quint32 seed) : rng(seed) {
        // The box stays "open" for no time; what matters is that nothing escapes.
        fakes.probe->active = 0;
    }

    ScrollBar* randomBar() {
        ScrollBar* bars[] = {form.RScroll, form.GScroll, form.BScroll, form.TScroll};
        return bars[rng.bounded(4)];
    }
    PictureBox* randomTarget() {
        PictureBox* targets[] = {form.SaveC1, form.SaveC2, form.SaveC3, form.SaveC4, form.SaveC5,
                                 form.SaveC6, form.SaveC7, form.GradientL, form.GradientR, form.NewPrev};
        return targets[rng.bounded(10)];
    }

    // One user event; handlers reached directly (not through Qt's event loop) run here
    // unguarded, so an error that would escape them is caught and reported.
    void step() {
        switch (rng.bounded(11)) {
            case 0: {
                static const QAbstractSlider::SliderAction actions[] = {
                    QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub,
                    QAbstractSlider::SliderPageStepAdd, QAbstractSlider::SliderPageStepSub,
                    QAbstractSlider::SliderToMinimum, QAbstractSlider::SliderToMaximum};
                ScrollBar* bar = randomBar();
                const auto action = actions[rng.bounded(6)];
                log << QString("%1 action %2").arg(bar->objectName()).arg(action);
                bar->triggerAction(action);
                break;
            }
            case 1: {
                ScrollBar* bar = randomBar();
                log << QString("%1 drag").arg(bar->objectName());
                bar->setSliderDown(true);
                for (int i = 0, n = 1 + rng.bounded(4); i < n; ++i) bar->setSliderPosition(rng.bounded(256));
                bar->setSliderDown(false);
                break;
            }
            case 2:
            case 3: {
                TextBox* boxes[] = {form.Rtxt, form.Gtxt, form.Btxt, form.HexVal, form.VbVal, form.Text1};
                TextBox* box = boxes[rng.bounded(6)];
                const QString text = randomText(rng);
                log << QString("type '%1' into %2").arg(text, box->objectName());
                box->selectAll();
                QTest::keyClick(box, Qt::Key_Delete);
                for (QChar c : text) {  // as typed: read-only boxes take nothing
                    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                    QCoreApplication::sendEvent(box, &press);
                }
                break;
            }
            case 4: {
                QPushButton* buttons[] = {form.RGBSet, form.HexSet, form.VbSet};
                QPushButton* b = buttons[rng.bounded(3)];
                log << b->objectName() + " click";
                b->click();
                break;
            }
            case 5: {
                PictureBox* target = randomTarget();
                log << "drag NewPrev onto " + target->objectName();
                unguarded([&] {
                    form.NewPrev_DragOver();
                    fire(target->DragDrop);
                });
                break;
            }
            case 6: {
                PictureBox* slot = randomTarget();
                log << "double-click " + slot->objectName();
                unguarded([&] { fire(slot->DblClick); });
                break;
            }
            case 7: {
                log << "Grab Color click";
                fakes.probe->active = rng.bounded(3) ? 4242 : 0;
                form.GetPixelbtn->click();
                break;
            }
            case 8: {
                const bool fails = rng.bounded(5) == 0;
                fakes.probe->pixel = fails ? std::nullopt : std::optional<std::int32_t>(rng.bounded(1 << 24));
                if (rng.bounded(8) == 0) fakes.probe->active = 99;  // another window became active
                log << QString("grab tick, pixel %1").arg(fails ? "unreadable" : QString::number(*fakes.probe->pixel));
                unguarded([&] { fire(form.Timer1->Tick); });
                break;
            }
            case 9: {
                PictureBox* boxes[] = {form.Gradient, form.GradientL, form.GradientR};
                PictureBox* box = boxes[rng.bounded(3)];
                log << box->objectName() + " click";
                unguarded([&] { fire(box->Click); });
                break;
            }
            case 10:
                log << "Stay On Top";
                form.stay->trigger();
                break;
        }
    }

    template <typename F>
    void unguarded(F&& f) {
        try {
            f();
        } catch (const RuntimeError& e) {
            failure = QString("error %1 (%2) escaped").arg(e.number).arg(e.description);
        } catch (...) {
            failure = "an exception escaped";
        }
    }

    QString violation(bool barChanged) const {
        const int r = form.RScroll->Value(), g = form.GScroll->Value(), b = form.BScroll->Value();
        for (int v : {r, g, b, int(form.TScroll->Value())})
            if (v < 0 || v > 255) return "a bar left 0..255";
        if (form.ToneActive != "yes") return "ToneActive is " + form.ToneActive;
        if (form.TScroll->Value() != median(r, g, b)) return "tone slider off the median";
        if (form.NewPrev->BackColor() != rgb(r, g, b)) return "NewPrev differs from the bars";
        if (form.RPrev->BackColor() != r || form.GPrev->BackColor() != g * 256 ||
            form.BPrev->BackColor() != b * 65536)
            return "a channel preview differs from its bar";
        if (barChanged) {
            const QString html = htmlHexText(std::int16_t(r), std::int16_t(g), std::int16_t(b));
            if (form.HexVal->Text() != html) return "HexVal is " + form.HexVal->Text();
            if (form.Text1->Text() != html) return "Text1 is " + form.Text1->Text();
            if (form.VbVal->Text() != vbHexText(std::int16_t(r), std::int16_t(g), std::int16_t(b)))
                return "VbVal is " + form.VbVal->Text();
        }
        for (PictureBox* box : {form.SaveC1, form.SaveC2, form.SaveC3, form.SaveC4, form.SaveC5,
                                form.SaveC6, form.SaveC7, form.GradientL, form.GradientR})
            if (box->BackColor() < 0 || box->BackColor() > 0xFFFFFF)
                return box->objectName() + " holds no colour";
        return {};
    }
};

}  // namespace

class TestRandomEvents : public QObject {
    Q_OBJECT
private slots:
    void sequencesKeepTheInvariants() {
        QString escaped;
        const auto previous = setUnhandledErrorHook([&](int n, const QString& d) {
            escaped = QString("error %1 (%2) reached the event loop").arg(n).arg(d);
        });
        const QByteArray only = qgetenv("SWATCHLY_SEED");
        const int sequences = only.isEmpty() ? qEnvironmentVariableIntValue("SWATCHLY_SEQUENCES") : 1;
        const int count = sequences > 0 ? sequences : 1500;
        for (int i = 0; i < count; ++i) {
            const quint32 seed = only.isEmpty() ? 0x5eed0000u + static_cast<quint32>(i) : only.toUInt();
            Driver d(seed);
            for (int e = 0; e < 25; ++e) {
                const int before[] = {d.form.RScroll->Value(), d.form.GScroll->Value(), d.form.BScroll->Value()};
                d.step();
                const int after[] = {d.form.RScroll->Value(), d.form.GScroll->Value(), d.form.BScroll->Value()};
                const bool changed = !std::equal(std::begin(before), std::end(before), std::begin(after));
                QString why = !d.failure.isEmpty() ? d.failure : !escaped.isEmpty() ? escaped : d.violation(changed);
                if (!why.isEmpty()) {
                    setUnhandledErrorHook(previous);
                    QFAIL(qPrintable(QString("seed %1, event %2: %3\n  events: %4")
                                         .arg(seed).arg(e).arg(why, d.log.join("\n          "))));
                }
            }
        }
        setUnhandledErrorHook(previous);
    }
};

QTEST_MAIN(TestRandomEvents)
#include "test_random_events.moc"

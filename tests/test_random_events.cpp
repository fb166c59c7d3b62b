// Random sequences of user events against the window's invariants, checked after every event
// and at every thumb position of a drag. Seeded: a failure names its seed, SWATCHLY_SEED=<seed>
// replays that sequence alone, SWATCHLY_SEQUENCES sets how many run.

#include <QRandomGenerator>
#include <QtTest>

#include "app/form1.h"
#include "fakes.h"

using namespace swatchly;

namespace {

const QStringList kTexts = {
    "", " ", "0", "255", "256", "-1", "-0", "12.5", "13.5", "254.5", "1e2", "1e9", "&HFF", "&H10000",
    "&HFFFFFFFF", "&H", "#FF8000", "ff8000", "#ff80", "#FF80GG", "&H0080FF&", "&h0080FF&", "0080FF",
    "&H0080ZZ&", "1,000", "12,5", "abc", "inf", "nan", "+7", " 42 ", "32768", "-32769", "1e400",
    "\u00e9\u00e8", "\u0661\u0662", "99999999999999999999"};

struct Driver {
    QRandomGenerator rng;
    Fakes fakes;
    Form1 form{fakes.services()};
    QStringList log;
    QString failure;
    explicit Driver(quint32 seed) : rng(seed) {}
    template <typename T, std::size_t N>
    T pick(T (&&items)[N]) {
        return items[rng.bounded(int(N))];
    }

    // What must hold whenever no handler runs; `before` is the colour before the last step.
    QString violation(const int (&before)[3]) const {
        const int c[] = {form.RScroll->Value(), form.GScroll->Value(), form.BScroll->Value()};
        const TextBox* boxes[] = {form.Rtxt, form.Gtxt, form.Btxt};
        int sorted[] = {c[0], c[1], c[2]};
        std::sort(sorted, sorted + 3);
        if (sorted[0] < 0 || sorted[2] > 255) return "a bar left 0..255";
        if (form.ToneActive != "yes") return "ToneActive is " + form.ToneActive;
        if (form.TScroll->Value() != sorted[1]) return "the tone slider is off the median";
        if (form.NewPrev->BackColor() != c[0] + 256 * c[1] + 65536 * c[2]) return "NewPrev is off";
        if (form.RPrev->BackColor() != c[0] || form.GPrev->BackColor() != c[1] << 8 ||
            form.BPrev->BackColor() != c[2] << 16)
            return "a channel preview is off";
        if (!std::equal(c, c + 3, before)) {
            const QString html = QString::asprintf("#%02X%02X%02X", c[0], c[1], c[2]);
            if (form.HexVal->Text() != html || form.Text1->Text() != html) return "HexVal or Text1 is off";
            if (form.VbVal->Text() != QString::asprintf("&H%02X%02X%02X&", c[2], c[1], c[0]))
                return "VbVal is " + form.VbVal->Text();
            for (int i = 0; i < 3; ++i)
                if (c[i] != before[i] && boxes[i]->Text() != QString::number(c[i]))
                    return boxes[i]->objectName() + " is " + boxes[i]->Text();
        }
        return {};
    }

    // One user event. Handlers reached directly, not through Qt's event loop, run unguarded
    // here, so an error that would escape them is reported.
    void step() {
        const int before[] = {form.RScroll->Value(), form.GScroll->Value(), form.BScroll->Value()};
        const QList<int> kept = colours();
        ScrollBar* bar = pick({form.RScroll, form.GScroll, form.BScroll, form.TScroll});
        PictureBox* box = pick({form.SaveC1, form.SaveC2, form.SaveC3, form.SaveC4, form.SaveC5,
                                form.SaveC6, form.SaveC7, form.GradientL, form.GradientR, form.NewPrev});
        try {
            switch (rng.bounded(10)) {
                case 0: {
                    const auto action = rng.bounded(1, 7);  // single and page steps, to either end
                    log << QString("%1 action %2").arg(bar->objectName()).arg(action);
                    bar->triggerAction(QAbstractSlider::SliderAction(action));
                    break;
                }
                case 1:
                    log << bar->objectName() + " thumb";
                    bar->setSliderDown(true);
                    for (int i = rng.bounded(4); i >= 0 && failure.isEmpty(); --i) {
                        const int mid[] = {form.RScroll->Value(), form.GScroll->Value(), form.BScroll->Value()};
                        bar->setSliderPosition(rng.bounded(256));
                        failure = violation(mid);
                    }
                    bar->setSliderDown(false);
                    break;
                case 2:
                case 3: {
                    TextBox* text = pick({form.Rtxt, form.Gtxt, form.Btxt, form.HexVal, form.VbVal, form.Text1});
                    const QString typed = kTexts[rng.bounded(kTexts.size())];
                    log << QString("type '%1' into %2").arg(typed, text->objectName());
                    text->selectAll();
                    QTest::keyClick(text, Qt::Key_Delete);
                    for (QChar ch : typed) {
                        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
                        QCoreApplication::sendEvent(text, &key);
                    }
                    break;
                }
                case 4:
                    log << "Set " + QString::number(rng.bounded(3));
                    pick({form.RGBSet, form.HexSet, form.VbSet})->click();
                    break;
                case 5:
                    log << "drop on " + box->objectName();
                    form.NewPrev_DragOver();
                    fire(box->DragDrop);
                    for (int i = 0; i < kept.size(); ++i)
                        if (colours()[i] != kept[i] && form.findChildren<PictureBox*>()[i] != box)
                            failure = "the drop changed another box";
                    break;
                case 6:
                    log << "double-click " + box->objectName();
                    fire(box->DblClick);
                    if (box->DblClick && form.NewPrev->BackColor() != box->BackColor())
                        failure = "the slot's colour did not become current";
                    break;
                case 7:
                    log << "Grab Color";
                    fakes.probe->active = rng.bounded(3) ? 4242 : 0;
                    form.GetPixelbtn->click();
                    break;
                case 8:
                    fakes.probe->pixel = rng.bounded(5) ? std::optional(int(rng.generate())) : std::nullopt;
                    if (rng.bounded(8) == 0) fakes.probe->active = 99;  // another window became active
                    log << QString("grab tick, pixel %1").arg(fakes.probe->pixel.value_or(-1));
                    fire(form.Timer1->Tick);
                    break;
                case 9:
                    log << "click " + box->objectName() + ", Stay On Top";
                    fire(box->Click);
                    form.stay->trigger();
                    break;
            }
        } catch (const RuntimeError& e) {
            failure = QString("error %1 escaped").arg(e.number);
        }
        if (failure.isEmpty()) failure = violation(before);
    }

    QList<int> colours() const {
        QList<int> c;
        for (PictureBox* box : form.findChildren<PictureBox*>()) c << box->BackColor();
        return c;
    }
};

}  // namespace

class TestRandomEvents : public QObject {
    Q_OBJECT
private slots:
    void sequencesKeepTheInvariants() {
        QString escaped;
        setUnhandledErrorHook([&](int n, const QString&) { escaped = QString("error %1 reached Qt").arg(n); });
        const QByteArray only = qgetenv("SWATCHLY_SEED");
        const int count = only.isEmpty() ? qEnvironmentVariableIntValue("SWATCHLY_SEQUENCES") : 1;
        for (int i = 0; i < (count > 0 ? count : 1500); ++i) {
            const quint32 seed = only.isEmpty() ? 0x5eed0000u + quint32(i) : only.toUInt();
            Driver d(seed);
            for (int e = 0; e < 25; ++e) {
                d.step();
                const QString why = d.failure.isEmpty() ? escaped : d.failure;
                QVERIFY2(why.isEmpty(), qPrintable(QString("seed %1, event %2: %3\n  events: %4")
                                                       .arg(seed).arg(e).arg(why, d.log.join("\n          "))));
            }
        }
    }
};

QTEST_MAIN(TestRandomEvents)
#include "test_random_events.moc"

// Swatch slots and colour drag-and-drop, the slots kept across restarts and in palette files,
// and Show Swatches.

#include <QDir>
#include <QDrag>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <QScreen>

#include "colour/drop.h"
#include "colour/forms.h"
#include "platform/clipboard.h"
#include "platform/store.h"
#include "window/contrast_view.h"
#include "window/form1.h"

namespace swatchly {

std::array<PictureBox*, 7> Form1::swatchSlots() const {
    return {SaveC1, SaveC2, SaveC3, SaveC4, SaveC5, SaveC6, SaveC7};
}

void Form1::showSlots(const Slots& kept) {
    for (std::size_t i = 0; i < kept.size(); ++i)
        swatchSlots()[i]->setBackColor(kept[i].value_or(0));
    m_shownSlots = kept;
    if (contrastView) contrastView->refresh(unpack(NewPrev->BackColor()), kept);
}

void Form1::contrastAction_Click() {
    if (!contrastView) contrastView = new ContrastView(this);
    contrastView->present(unpack(NewPrev->BackColor()), m_shownSlots);
}

void Form1::restoreKept() {
    Store& store = *m_services.store;
    m_savePosition = new QTimer(this);
    m_savePosition->setSingleShot(true);
    m_savePosition->setInterval(300);  // once the window has come to rest
    connect(m_savePosition, &QTimer::timeout, this, [this] {
        if (m_services.store->position() != pos()) m_services.store->setPosition(pos());
    });
    showSlots(store.swatches());
    for (bool right : {false, true}) {
        const auto texts = store.gradientEnd(right);
        if (!texts) continue;
        Variant* end[] = {&GradLeftR,  &GradLeftG,  &GradLeftB,
                          &GradRightR, &GradRightG, &GradRightB};
        for (int c = 0; c < 3; ++c) *end[c + 3 * right] = (*texts)[c];
        (right ? GradientR : GradientL)
            ->setBackColor(*dropColour((*texts)[0], (*texts)[1], (*texts)[2]));
        m_stripPending = true;  // drawn once the strip shows
    }
    magnifierAction->setChecked(store.option(Store::Option::Magnifier));
    pickSession->setAverage(store.averageSize());
    connect(pickSession, &PickSession::averageChanged, this,
            [this](int size) { m_services.store->setAverageSize(size); });
    copyOnPickAction->setChecked(store.option(Store::Option::CopyOnPick));
    keepPicksAction->setChecked(store.option(Store::Option::KeepPicks));
    CopyForm = *ColourForm::make(store.copyForm());
    showSwatchesAction->setChecked(store.option(Store::Option::ShowSwatches));
    layoutSwatches(showSwatchesAction->isChecked());
    // Where it stood, on the screen there, and whole on it: a scale changed since may make it
    // larger than it was.
    if (const auto at = store.position())
        if (const QScreen* screen = QGuiApplication::screenAt(*at)) {
            const QRect area = screen->availableGeometry();
            const QPoint last = area.bottomRight() - QPoint(width(), height());
            move(std::clamp(at->x(), area.x(), std::max(area.x(), last.x())),
                 std::clamp(at->y(), area.y(), std::max(area.y(), last.y())));
        }
}

void Form1::moveEvent(QMoveEvent* e) {
    QMainWindow::moveEvent(e);
    if (isVisible()) m_savePosition->start();
}

void Form1::layoutSwatches(bool shown) {
    if (m_defined.empty())
        for (QWidget* w :
             std::initializer_list<QWidget*>{GradientL, GradientR, RPrev, GPrev, BPrev})
            m_defined.emplace_back(w, w->geometry());
    for (const auto& [w, defined] : m_defined) w->setGeometry(defined);
    // Shown, each tooltip says what to do with its control, under its own first line.
    auto tip = [shown](PictureBox* box, const QString& more) {
        const QString defined = box->toolTip().section(u'\n', 0, 0);
        box->setToolTip(shown ? (defined.isEmpty() ? more : defined + u'\n' + more) : defined);
    };
    for (PictureBox* slot : swatchSlots())
        tip(slot, QStringLiteral("Drag the big preview here, or press Insert, to keep its "
                                 "colour; Enter makes this one current"));
    for (PictureBox* end : {GradientL, GradientR})
        tip(end, QStringLiteral("Insert keeps the current colour here"));
    tip(Gradient, QStringLiteral("Double-click to make the colour under the pointer current"));
    const char* channel[] = {"red", "green", "blue"};
    PictureBox* previews[] = {RPrev, GPrev, BPrev};
    for (int i = 0; i < 3; ++i)
        tip(previews[i],
            QStringLiteral("The %1 of the current colour alone").arg(QLatin1String(channel[i])));
    QSize client(twips(kClientWidthTwips), twips(kClientHeightTwips));
    if (shown) {
        // The ends at either end of the strip, as far from it as the left one stands; the
        // channel previews side by side under the bars; the slots where they are.
        const int gap = Gradient->x() - GradientL->geometry().right() - 1;
        GradientL->move(GradientL->x(), Gradient->y());
        GradientR->move(Gradient->geometry().right() + 1 + gap, Gradient->y());
        QPoint at(TScroll->x(), TScroll->geometry().bottom() + 40);
        for (PictureBox* p : previews) {
            p->move(at);
            at.rx() += p->width() + 4;
        }
        client = client.expandedTo(QSize(SaveC1->geometry().right() + 1, 0))
                     .expandedTo(QSize(GradientR->geometry().right() + 1,
                                       Gradient->geometry().bottom() + 1)) +
                 QSize(8, 8);
        if (std::exchange(m_stripPending, false)) DrawGradient();
    }
    // What lies past the fixed client is hidden, so that nothing reports it on screen; activetxt
    // is a store nobody sees.
    for (QWidget* w :
         std::initializer_list<QWidget*>{SaveC1, SaveC2, SaveC3, SaveC4, SaveC5, SaveC6, SaveC7,
                                         Gradient, GradientL, GradientR, RPrev, GPrev, BPrev})
        w->setVisible(shown);
    activetxt->setVisible(false);
    centralWidget()->setFixedSize(client);
}

void Form1::showSwatchesAction_Click() { layoutSwatches(showSwatchesAction->isChecked()); }

void Form1::Gradient_DblClick() { SetBarsFromLongColor(Gradient->colourAt(Gradient->mousePos())); }

void Form1::exportSwatchesAction_Click() {
    const QString path = m_services.files->fileToSave(
        this, QStringLiteral("Export Swatches"),
        QDir::home().filePath(QStringLiteral("swatchly.gpl")),
        QStringLiteral("GIMP palettes (*.gpl);;CSS custom properties (*.css);;JSON (*.json)"));
    if (!path.isEmpty()) exportSwatches(path);
}

void Form1::importSwatchesAction_Click() {
    const QString path =
        m_services.files->fileToOpen(this, QStringLiteral("Import Swatches"), QDir::homePath(),
                                     QStringLiteral("Palettes (*.gpl);;All files (*)"));
    if (!path.isEmpty()) importSwatches(path);
}

void Form1::exportSwatches(const QString& path) {
    History colours;
    for (const auto& slot : m_services.store->swatches())
        if (slot) colours.push_back({unpack(*slot), {}});
    exportColours(path, colours, QStringLiteral("swatch"), QStringLiteral("swatches"));
}

void Form1::exportRecentAction_Click() {
    const QString path = m_services.files->fileToSave(
        this, QStringLiteral("Export Recent Colours"),
        QDir::home().filePath(QStringLiteral("recent-colours.gpl")),
        QStringLiteral("GIMP palettes (*.gpl);;CSS custom properties (*.css);;JSON (*.json)"));
    if (!path.isEmpty())
        exportColours(path, m_history->picks(), QStringLiteral("recent"),
                      QStringLiteral("recent colours"));
}

void Form1::exportColours(const QString& path, const History& colours, const QString& prefix,
                          const QString& what) {
    QSaveFile file(path);
    const QByteArray text =
        colourFile(colourFileFor(path).value_or(ColourFile::Gpl), colours, prefix);
    if (file.open(QIODevice::WriteOnly) && file.write(text) >= 0 && file.commit()) return;
    m_services.messageBox->show(
        this,
        QStringLiteral("The %1 could not be written to %2: %3").arg(what, path, file.errorString()),
        MessageBox::OkOnly, QStringLiteral("Swatchly"));
}

void Form1::importSwatches(const QString& path) {
    QFile file(path);
    PaletteReading reading;
    if (!file.open(QIODevice::ReadOnly))
        reading.error = QStringLiteral("The file cannot be read: ") + file.errorString();
    else
        reading = readPalette(file.read((1 << 20) + 1));  // one byte more says it is too large
    if (!reading.error.isEmpty()) {
        m_services.messageBox->show(this, QStringLiteral("%1\n%2").arg(path, reading.error),
                                    MessageBox::OkOnly, QStringLiteral("Swatchly"));
        return;
    }
    showSlots(m_services.store->updateSlots([&](Slots& kept) {
        for (std::size_t i = 0; i < kept.size(); ++i) {
            if (i >= reading.colours.size()) {
                kept[i].reset();
                continue;
            }
            const Channels& c = reading.colours[i];
            kept[i] = rgb(c.red, c.green, c.blue);
        }
    }));
}

void Form1::setUpDragSource() {
    NewPrev->StartDrag = [this](QMouseEvent*) {
        auto* drag = new QDrag(NewPrev);  // Qt deletes it when the drag is over
        const Channels c{RScroll->Value(), GScroll->Value(), BScroll->Value()};
        std::unique_ptr<QMimeData> data = colourMimeData(c, htmlHex(c));
        markControlDrag(*data);
        drag->setMimeData(data.release());
        // No pixmap: the platform shows its own drag cursor.
        drag->exec(Qt::CopyAction);
    };
}

void Form1::NewPrev_DragOver() {
    // Exactly as the boxes hold them, typed and unapplied text included; drops convert.
    DragR = Rtxt->Text();
    DragG = Gtxt->Text();
    DragB = Btxt->Text();
}

void Form1::dropOnSwatch(PictureBox* slot) {
    const auto colour = dropColour(DragR, DragG, DragB);
    if (!colour) return;  // a drop that cannot be read changes nothing
    const auto boxes = swatchSlots();
    const auto at = std::find(boxes.begin(), boxes.end(), slot) - boxes.begin();
    showSlots(m_services.store->updateSlots([&](Slots& kept) { kept[at] = *colour; }));
}

void Form1::recallSwatch(PictureBox* slot) { SetBarsFromLongColor(slot->BackColor()); }

void Form1::SaveC1_DragDrop() { dropOnSwatch(SaveC1); }
void Form1::SaveC2_DragDrop() { dropOnSwatch(SaveC2); }
void Form1::SaveC3_DragDrop() { dropOnSwatch(SaveC3); }
void Form1::SaveC4_DragDrop() { dropOnSwatch(SaveC4); }
void Form1::SaveC5_DragDrop() { dropOnSwatch(SaveC5); }
void Form1::SaveC6_DragDrop() { dropOnSwatch(SaveC6); }
void Form1::SaveC7_DragDrop() { dropOnSwatch(SaveC7); }
void Form1::SaveC1_DblClick() { recallSwatch(SaveC1); }
void Form1::SaveC2_DblClick() { recallSwatch(SaveC2); }
void Form1::SaveC3_DblClick() { recallSwatch(SaveC3); }
void Form1::SaveC4_DblClick() { recallSwatch(SaveC4); }
void Form1::SaveC5_DblClick() { recallSwatch(SaveC5); }
void Form1::SaveC6_DblClick() { recallSwatch(SaveC6); }
void Form1::SaveC7_DblClick() { recallSwatch(SaveC7); }

}  // namespace swatchly

// The colour to and from the clipboard: Edit > Copy, Copy As and Paste, and what a finished pick
// does: Copy on Pick and Keep Picks.

#include <QToolTip>
#include <exception>

#include "platform/store.h"
#include "window/form1.h"

namespace swatchly {

void Form1::copyAction_Click() {
    const Channels c{RScroll->Value(), GScroll->Value(), BScroll->Value()};
    m_services.clipboard->copy(c, CopyForm.write(c));
}

void Form1::copyAs(const QString& form) {
    CopyForm = *ColourForm::make(form);
    m_services.store->setCopyForm(form);
    copyAction_Click();
}

void Form1::pasteAction_Click() {
    QString why, note;
    // What Copy wrote reads back as that colour, six digits of decimal too.
    const ReadContext context{CopyForm.name() == QLatin1String("decimal"), &note};
    const QPoint said = NewPrev->mapToGlobal(NewPrev->rect().center());
    if (const std::optional<Channels> c = m_services.clipboard->paste(&why, context)) {
        SetBars(c->red, c->green, c->blue);
        m_history->remember(*c);
        if (!note.isEmpty()) QToolTip::showText(said, QStringLiteral("Pasted; ") + note, NewPrev);
        return;
    }
    // Said where the user looks, without a box to close; nothing changes.
    QToolTip::showText(said, QStringLiteral("Nothing pasted: ") + why, NewPrev);
}

void Form1::picked(Channels colour) {
    try {
        // Where grab mode ended, the colour is current already.
        SetBars(colour.red, colour.green, colour.blue);
    } catch (const std::exception&) {
        return;  // as a failed tick: silent, the bars keep what was written
    }
    const Channels c{RScroll->Value(), GScroll->Value(), BScroll->Value()};
    m_history->remember(c);
    if (keepPicksAction->isChecked())
        showSlots(m_services.store->updateSlots(
            [&](Slots& kept) { kept = keepPick(kept, rgb(c.red, c.green, c.blue)); }));
    if (copyOnPickAction->isChecked()) copyAction_Click();
}

}  // namespace swatchly

// The colour to and from the clipboard: Edit > Copy, Copy As and Paste, and Copy on Pick.

#include <QActionGroup>
#include <QMenuBar>
#include <QToolTip>

#include "platform/clipboard.h"
#include "platform/store.h"
#include "window/form1.h"

namespace swatchly {

void Form1::addEditMenu() {
    edt = menuBar()->addMenu(QStringLiteral("Edit"));
    edt->setObjectName(QStringLiteral("edt"));
    edt->setToolTipsVisible(true);
    // In a text box the keys keep to its text: the box takes them before the window's shortcuts.
    cpy = edt->addAction(QStringLiteral("Copy"));
    cpy->setObjectName(QStringLiteral("cpy"));
    cpy->setShortcut(QKeySequence::Copy);
    cpy->setToolTip(
        QStringLiteral("Puts the colour on the clipboard, written as the form picked "
                       "under Copy As"));
    cpyas = edt->addMenu(QStringLiteral("Copy As"));
    cpyas->setObjectName(QStringLiteral("cpyas"));
    cpyas->setToolTipsVisible(true);
    auto* forms = new QActionGroup(cpyas);
    const Channels orange{255, 128, 0};
    for (const QString& name : ColourForm::names()) {
        const ColourForm form = *ColourForm::make(name);
        // The name, and on the right, where a shortcut would stand, orange in that form.
        QAction* item =
            cpyas->addAction(name + u'\t' + form.write(orange).replace(u'&', QStringLiteral("&&")));
        item->setObjectName(QStringLiteral("cpyas_") + name);
        item->setData(name);
        item->setCheckable(true);
        item->setChecked(form == CopyForm);
        item->setActionGroup(forms);
        item->setToolTip(
            QStringLiteral("Copies the colour in this form, shown for orange, and "
                           "makes it the form Copy uses"));
    }
    pst = edt->addAction(QStringLiteral("Paste"));
    pst->setObjectName(QStringLiteral("pst"));
    pst->setShortcut(QKeySequence::Paste);
    pst->setToolTip(
        QStringLiteral("Makes the clipboard's colour current: a colour another "
                       "program copied, or text in any form Swatchly reads"));
}

void Form1::cpy_Click() {
    const Channels c{RScroll->Value(), GScroll->Value(), BScroll->Value()};
    copyColour(c, CopyForm.write(c));
}

void Form1::copyAs(const QString& form) {
    CopyForm = *ColourForm::make(form);
    m_services.store->setCopyForm(form);
    cpy_Click();
}

void Form1::pst_Click() {
    QString why;
    if (const std::optional<Channels> c = pastedColour(&why)) {
        SetBars(c->red, c->green, c->blue);
        return;
    }
    // Said where the user looks, without a box to close; nothing changes.
    QToolTip::showText(NewPrev->mapToGlobal(NewPrev->rect().center()),
                       QStringLiteral("Nothing pasted: ") + why, NewPrev);
}

void Form1::picked() {
    const Channels c{RScroll->Value(), GScroll->Value(), BScroll->Value()};
    if (kpick->isChecked())
        showSlots(m_services.store->updateSlots(
            [&](Slots& kept) { kept = keepPick(kept, rgb(c.red, c.green, c.blue)); }));
    if (cpick->isChecked()) cpy_Click();
}

}  // namespace swatchly

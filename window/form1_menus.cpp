// The menu bar: File, Edit and Options, every item from one table.

#include <QActionGroup>
#include <QMenuBar>
#include <optional>

#include "platform/store.h"
#include "window/form1.h"

namespace swatchly {

namespace {

struct MenuItem {
    QMenu* Form1::*menu;
    QAction* Form1::*action;  // none: a separator
    const char* name;         // the member's own, so that a script finds the item by it
    const char* caption;
    const char* toolTip;
    bool checkable;
    QKeySequence::StandardKey shortcut;
    void (Form1::*handler)();
    std::optional<Store::Option> kept;  // a check mark the store keeps
};

QString latin1(const char* text) { return text ? QString::fromLatin1(text) : QString(); }

}  // namespace

void Form1::buildMenus() {
    using O = Store::Option;
    constexpr auto none = QKeySequence::UnknownKey;
    static const MenuItem items[] = {
        {&Form1::f,
         &Form1::importSwatchesAction,
         "importSwatchesAction",
         "Import Swatches...",
         "Puts the first seven colours of a GIMP palette (.gpl) into the swatch slots",
         false,
         none,
         &Form1::importSwatchesAction_Click,
         {}},
        {&Form1::f,
         &Form1::exportSwatchesAction,
         "exportSwatchesAction",
         "Export Swatches...",
         "Writes the kept swatches as a GIMP palette (.gpl), which GIMP, Inkscape and Krita read, "
         "as CSS custom properties (.css) or as JSON (.json), by the file's name",
         false,
         none,
         &Form1::exportSwatchesAction_Click,
         {}},
        {&Form1::f,
         &Form1::exportRecentAction,
         "exportRecentAction",
         "Export Recent Colours...",
         "Writes every colour picked, newest first, as a GIMP palette (.gpl), CSS custom "
         "properties (.css) or JSON with the time of each pick (.json)",
         false,
         none,
         &Form1::exportRecentAction_Click,
         {}},
        {&Form1::f, nullptr, nullptr, nullptr, nullptr, false, none, nullptr, {}},
        {&Form1::f, &Form1::abt, "abt", "Help", nullptr, false, none, &Form1::abt_Click, {}},
        {&Form1::f, &Form1::ext, "ext", "Exit", nullptr, false, none, &Form1::ext_Click, {}},
        // In a text box the keys keep to its text: the box takes them before the shortcuts.
        {&Form1::editMenu,
         &Form1::copyAction,
         "copyAction",
         "Copy",
         "Puts the colour on the clipboard, written as the form picked under Copy As",
         false,
         QKeySequence::Copy,
         &Form1::copyAction_Click,
         {}},
        {&Form1::editMenu,
         &Form1::pasteAction,
         "pasteAction",
         "Paste",
         "Makes the clipboard's colour current: a colour another program copied, or text in "
         "any form Swatchly reads",
         false,
         QKeySequence::Paste,
         &Form1::pasteAction_Click,
         {}},
        {&Form1::editMenu, nullptr, nullptr, nullptr, nullptr, false, none, nullptr, {}},
        {&Form1::editMenu,
         &Form1::contrastAction,
         "contrastAction",
         "Contrast...",
         "The colour's contrast with white, black and each swatch, and every colour as seen "
         "with colour-vision deficiencies",
         false,
         none,
         &Form1::contrastAction_Click,
         {}},
        {&Form1::opt,
         &Form1::stay,
         "stay",
         "Stay On Top",
         nullptr,
         true,
         none,
         &Form1::stay_Click,
         {}},
        {&Form1::opt, &Form1::magnifierAction, "magnifierAction", "Magnifier", nullptr, true, none,
         nullptr, O::Magnifier},
        {&Form1::opt, &Form1::copyOnPickAction, "copyOnPickAction", "Copy on Pick",
         "When a pick ends, puts the colour on the clipboard as Copy does", true, none, nullptr,
         O::CopyOnPick},
        {&Form1::opt, &Form1::keepPicksAction, "keepPicksAction", "Keep Picks",
         "Each finished pick goes into the first swatch slot, the others moving one along", true,
         none, nullptr, O::KeepPicks},
        {&Form1::opt, &Form1::showSwatchesAction, "showSwatchesAction", "Show Swatches",
         "Shows the swatch slots, the gradient strip and the channel previews", true, none,
         &Form1::showSwatchesAction_Click, O::ShowSwatches},
    };
    const std::pair<QMenu * Form1::*, const char*> menus[] = {
        {&Form1::f, "File"}, {&Form1::editMenu, "Edit"}, {&Form1::opt, "Options"}};
    const char* const menuNames[] = {"f", "editMenu", "opt"};
    for (int i = 0; i < 3; ++i) {
        QMenu* menu = this->*menus[i].first = menuBar()->addMenu(latin1(menus[i].second));
        menu->setObjectName(latin1(menuNames[i]));
        menu->setToolTipsVisible(true);
    }
    for (const MenuItem& item : items) {
        QMenu* menu = this->*item.menu;
        if (!item.action) {
            menu->addSeparator();
            continue;
        }
        QAction* action = this->*item.action = menu->addAction(latin1(item.caption));
        action->setObjectName(latin1(item.name));
        action->setCheckable(item.checkable);
        action->setToolTip(latin1(item.toolTip));
        if (item.shortcut != none) action->setShortcut(item.shortcut);
        if (const auto handler = item.handler)
            connect(action, &QAction::triggered, this,
                    [this, handler] { guard([this, handler] { (this->*handler)(); }); });
        // Kept as the user sets it.
        if (const auto kept = item.kept)
            connect(action, &QAction::triggered, this,
                    [this, kept](bool on) { m_services.store->setOption(*kept, on); });
    }
    magnifierAction->setChecked(true);
    addCopyAsMenu();
    addRecentMenu();
    if (!m_services.windowManager->canStayOnTop()) {
        // A check mark that changes nothing would tell the user it worked.
        stay->setEnabled(false);
        stay->setToolTip(QStringLiteral("This desktop does not let programs keep a window on top"));
    }
}

void Form1::addCopyAsMenu() {
    copyAsMenu = new QMenu(QStringLiteral("Copy As"), editMenu);
    editMenu->insertMenu(pasteAction, copyAsMenu);
    copyAsMenu->setObjectName(QStringLiteral("copyAsMenu"));
    // Filled when first opened: start-up pays for none of it.
    connect(copyAsMenu, &QMenu::aboutToShow, this, [this] {
        if (copyAsMenu->isEmpty()) fillCopyAsMenu();
    });
}

void Form1::addRecentMenu() {
    recentMenu = new QMenu(QStringLiteral("Recent Colours"), editMenu);
    editMenu->insertMenu(pasteAction, recentMenu);
    recentMenu->setObjectName(QStringLiteral("recentMenu"));
    // Read when opened: another Swatchly, or --pick, may have picked since.
    connect(recentMenu, &QMenu::aboutToShow, this, [this] {
        recentMenu->clear();
        const History picks = m_history->picks();
        if (picks.empty())
            recentMenu->addAction(QStringLiteral("No colour picked yet"))->setEnabled(false);
        for (std::size_t i = 0; i < std::min<std::size_t>(picks.size(), 20); ++i) {
            const Channels c = picks[i].colour;
            QPixmap swatch(16, 16);
            swatch.fill(QColor(c.red, c.green, c.blue));
            QAction* item = recentMenu->addAction(QIcon(swatch), CopyForm.write(c));
            item->setObjectName(QStringLiteral("recent_%1").arg(i + 1));
            item->setToolTip(
                picks[i].picked.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
            connect(item, &QAction::triggered, this,
                    [this, c] { guard([this, c] { SetBars(c.red, c.green, c.blue); }); });
        }
    });
}

void Form1::fillCopyAsMenu() {
    // Nineteen forms in one list would run off a small screen: a submenu a group.
    QMenu* groups[3];
    const char* const groupNames[] = {"Web", "Design", "Code"};
    for (int i = 0; i < 3; ++i) {
        groups[i] = copyAsMenu->addMenu(latin1(groupNames[i]));
        groups[i]->setObjectName(QStringLiteral("copyAs") + latin1(groupNames[i]));
        groups[i]->setToolTipsVisible(true);
    }
    // One choice across the groups.
    auto* forms = new QActionGroup(copyAsMenu);
    const Channels orange{255, 128, 0};
    for (const QString& name : ColourForm::names()) {
        const ColourForm form = *ColourForm::make(name);
        const QString group = ColourForm::group(name);
        QMenu* menu = groups[group == u"Web" ? 0 : group == u"Design" ? 1 : 2];
        // The name, and on the right, where a shortcut would stand, orange in that form.
        QAction* item =
            menu->addAction(name + u'\t' + form.write(orange).replace(u'&', QStringLiteral("&&")));
        item->setObjectName(QStringLiteral("copyAs_") + name);
        item->setData(name);
        item->setCheckable(true);
        item->setChecked(form == CopyForm);
        item->setActionGroup(forms);
        item->setToolTip(
            QStringLiteral("Copies the colour in this form, shown for orange, and makes it the "
                           "form Copy uses"));
        connect(item, &QAction::triggered, this,
                [this, name] { guard([this, name] { copyAs(name); }); });
    }
}

}  // namespace swatchly

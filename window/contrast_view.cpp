#include "window/contrast_view.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "colour/contrast.h"
#include "colour/forms.h"
#include "colour/vision.h"

namespace swatchly {

namespace {

QColor qcolor(Channels c) { return QColor(c.red, c.green, c.blue); }

// Black or white, whichever reads better on `c`.
QColor textOn(Channels c) {
    return contrastRatio(c, {0, 0, 0}) >= contrastRatio(c, {255, 255, 255}) ? Qt::black : Qt::white;
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTableWidget* table(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* t = new QTableWidget(parent);
    t->setObjectName(QLatin1String(name));
    t->setAccessibleName(accessibleName);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The arrows move the current cell, which a screen reader reads; a selection would paint
    // over the very colours shown.
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setTabKeyNavigation(false);  // Tab goes on to the next table, arrows move in this one
    t->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return t;
}

}  // namespace

ContrastView::ContrastView(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("contrastView"));
    setWindowTitle(QStringLiteral("Contrast"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* heading = new QLabel(
        QStringLiteral("The current colour as text on each background (WCAG 2; ratios cut to "
                       "two decimals):"),
        this);
    layout->addWidget(heading);
    pairs = table(this, "pairs", QStringLiteral("Contrast of the current colour"));
    QStringList columns{QStringLiteral("Sample"), QStringLiteral("Ratio")};
    for (const Criterion& c : contrastCriteria())
        columns << QStringLiteral("%1\n%2").arg(QLatin1String(c.level), QLatin1String(c.use));
    pairs->setColumnCount(int(columns.size()));
    pairs->setHorizontalHeaderLabels(columns);
    pairs->setRowCount(9);
    heading->setBuddy(pairs);
    layout->addWidget(pairs);

    auto* seen = new QLabel(
        QStringLiteral("The current colour and the swatches as seen with each colour-vision "
                       "deficiency:"),
        this);
    layout->addWidget(seen);
    vision =
        table(this, "vision", QStringLiteral("Colours as seen with colour-vision deficiencies"));
    vision->setRowCount(4);
    vision->setColumnCount(8);
    QStringList kinds{QStringLiteral("Normal vision")};
    for (Deficiency d : kDeficiencies) {
        QString name = QString::fromLatin1(deficiencyName(d));
        name[0] = name[0].toUpper();
        kinds << name;
    }
    vision->setVerticalHeaderLabels(kinds);
    QStringList columnNames{QStringLiteral("Current")};
    for (int i = 1; i <= 7; ++i) columnNames << QStringLiteral("Swatch %1").arg(i);
    vision->setHorizontalHeaderLabels(columnNames);
    seen->setBuddy(vision);
    layout->addWidget(vision);
}

void ContrastView::present(Channels current, const Slots& kept) {
    QDialog::show();
    refresh(current, kept);
    raise();
    activateWindow();
}

void ContrastView::refresh(Channels current, const Slots& kept) {
    if (!isVisible()) return;
    QStringList against{QStringLiteral("White"), QStringLiteral("Black")};
    std::vector<std::optional<Channels>> backgrounds{Channels{255, 255, 255}, Channels{0, 0, 0}};
    for (std::size_t i = 0; i < kept.size(); ++i) {
        against << QStringLiteral("Swatch %1").arg(i + 1);
        backgrounds.push_back(kept[i] ? std::optional(unpack(*kept[i])) : std::nullopt);
    }
    for (int row = 0; row < 9; ++row) {
        const auto& back = backgrounds[std::size_t(row)];
        pairs->setVerticalHeaderItem(
            row, cell(against[row] + (back ? QStringLiteral(" ") + htmlHex(*back) : QString())));
        pairs->setRowHidden(row, !back);  // an empty slot: no pair
        if (!back) {
            pairs->setItem(row, 0, cell(QStringLiteral("empty")));
            for (int column = 1; column < pairs->columnCount(); ++column)
                pairs->setItem(row, column, cell(QString()));
            continue;
        }
        QTableWidgetItem* sample = cell(QStringLiteral("Sample text"));
        sample->setForeground(qcolor(current));
        sample->setBackground(qcolor(*back));
        pairs->setItem(row, 0, sample);
        const double ratio = contrastRatio(current, *back);
        pairs->setItem(row, 1, cell(ratioText(ratio)));
        int column = 2;
        for (const Criterion& c : contrastCriteria())
            pairs->setItem(
                row, column++,
                cell(passes(ratio, c) ? QStringLiteral("pass") : QStringLiteral("fail")));
    }

    std::optional<Channels> colours[8] = {current};
    for (std::size_t i = 0; i < kept.size(); ++i)
        if (kept[i]) colours[i + 1] = unpack(*kept[i]);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 8; ++column) {
            const auto& c = colours[column];
            vision->setColumnHidden(column, !c);
            if (!c) {
                vision->setItem(row, column, cell(QStringLiteral("empty")));
                continue;
            }
            const Channels seenAs = row == 0 ? *c : seenWith(*c, kDeficiencies[row - 1]);
            QTableWidgetItem* item = cell(htmlHex(seenAs));
            item->setBackground(qcolor(seenAs));
            item->setForeground(textOn(seenAs));
            vision->setItem(row, column, item);
        }
}

}  // namespace swatchly

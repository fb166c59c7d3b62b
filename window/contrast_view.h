#pragma once
// The Contrast view: the current colour against white, black and each kept swatch, with the
// WCAG verdicts and a sample of text in each pair, and every colour as seen with each
// dichromacy. Built the first time it is opened.

#include <QDialog>

#include "colour/swatches.h"

class QTableWidget;

namespace swatchly {

class ContrastView : public QDialog {
    Q_OBJECT
  public:
    explicit ContrastView(QWidget* parent);
    void present(Channels current, const Slots& kept);
    // Shown again for a new colour or new slots; nothing while closed.
    void refresh(Channels current, const Slots& kept);

    QTableWidget* pairs;   // a row a pair: against, sample, ratio, a column a criterion
    QTableWidget* vision;  // a row a way of seeing, a column the current colour or a swatch
};

}  // namespace swatchly

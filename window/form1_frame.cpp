// Window frame and commands: fixed size, moving by the body, the menu commands and the link.

#include <QApplication>
#include <QResizeEvent>

#include "window/form1.h"

namespace swatchly {

void Form1::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    guard([this] { Form_Resize(); });
}

void Form1::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange) guard([this] { Form_Resize(); });
}

void Form1::Form_Resize() {
    // Any size but the fixed one is put back; minimised or maximised the size is not ours to
    // set, and the window keeps its state.
    if (m_inResize ||
        (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QSize fixed = sizeHint().expandedTo(minimumSize());
    if (size() == fixed) return;
    m_inResize = true;
    resize(fixed);
    m_inResize = false;
}

void Form1::Form_MouseDown() { DragForm(this); }

void Form1::DragForm(QWidget* window) {
    try {
        m_services.windowManager->startMove(window);
    } catch (...) {
        // A move that cannot start leaves the window where it is.
    }
}

void Form1::abt_Click() {
    m_services.messageBox->show(this, helpText(), MessageBox::Information,
                                QStringLiteral("Swatchly Help"));
}

void Form1::ext_Click() {
    close();
    QApplication::quit();
}

void Form1::stay_Click() {
    // The click has flipped the check mark already, as a checkable menu item does; the window
    // follows it.
    m_services.windowManager->setStayOnTop(this, stay->isChecked());
}

void Form1::Label7_MouseDown() {
    const QString address = kHomePage;
    // Where no browser opens it, the address is shown, to be copied.
    if (!ShellOpen(address, QStringLiteral("Open"), QString(), QString(), 0))
        m_services.messageBox->show(
            this,
            QStringLiteral("No web browser could open our home page. Its address is ") + address,
            MessageBox::OkOnly, QStringLiteral("Swatchly"));
}

bool Form1::ShellOpen(const QString& file, const QString& verb, const QString&, const QString&,
                      std::int32_t) {
    // Opening is the only verb the shell service has.
    Q_UNUSED(verb);
    return m_services.shell->open(file);
}

void Form1::Timer2_Timer() { m_services.windowManager->setStayOnTop(this, true); }

void Form1::selectAll(TextBox* box) {
    box->setSelStart(0);
    box->setSelLength(static_cast<int>(box->Text().size()));
}

void Form1::Text1_GotFocus() { selectAll(Text1); }

}  // namespace swatchly

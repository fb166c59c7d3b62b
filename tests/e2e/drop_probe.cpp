// Stands in for another program that takes dropped colours and text (a paint program, a text
// editor): it writes what each drop carried to the file named on its command line.

#include <QApplication>
#include <QColor>
#include <QDragEnterEvent>
#include <QFile>
#include <QMimeData>
#include <QWidget>

class Probe : public QWidget {
public:
    explicit Probe(QString path) : m_path(std::move(path)) { setAcceptDrops(true); }

protected:
    void dragEnterEvent(QDragEnterEvent* e) override { e->acceptProposedAction(); }
    void dragMoveEvent(QDragMoveEvent* e) override { e->acceptProposedAction(); }
    void dropEvent(QDropEvent* e) override {
        const QMimeData* data = e->mimeData();
        QString report;
        if (data->hasColor())
            report += "color:" + qvariant_cast<QColor>(data->colorData()).name() + "\n";
        if (data->hasText()) report += "text:" + data->text() + "\n";
        e->acceptProposedAction();
        QFile out(m_path);
        if (out.open(QIODevice::Append)) out.write(report.toUtf8() + "end\n");
    }

private:
    QString m_path;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Probe probe(app.arguments().value(1));
    probe.setWindowTitle("DropProbe");
    probe.resize(200, 200);
    probe.show();
    return app.exec();
}

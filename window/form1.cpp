#include "window/form1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QUrl>
#include <vector>

#include "picker/pick_session.h"
#include "window/pictures.h"

namespace swatchly {

namespace {

// The client area under the menu bar. It carries the form's picture (one light-grey pixel
// at its top-left corner) and turns a press on its bare body into Form_MouseDown.
class ClientArea : public QWidget {
  public:
    using QWidget::QWidget;
    Event MouseDown;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QColor(195, 195, 195));
        p.drawPoint(0, 0);
    }
    void mousePressEvent(QMouseEvent* e) override {
        // Presses on controls, frames and labels either stop there or arrive here over them.
        if (childAt(e->position().toPoint())) return;
        guard(MouseDown);
    }
};

QFont makeFont(const char* family, double points, bool bold = false, bool underline = false) {
    // Where the desktop lacks the family, the desktop's own font stands in: asking fontconfig for
    // a substitute would cost a search per family, at start-up, for a font much like it. The
    // list of families is read once; QFontDatabase::hasFamily would run that search itself.
    // No style hint: one would make Qt look up fallback fonts again for the same family.
    static const QStringList families = QFontDatabase::families();
    const QString name = QString::fromLatin1(family);
    QFont f;
    if (families.contains(name, Qt::CaseInsensitive)) f.setFamily(name);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

QString captionOrToolTip(const QWidget* w) {
    QString caption;
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) caption = button->text();
    if (const auto* label = qobject_cast<const QLabel*>(w)) caption = label->text();
    return caption.isEmpty() ? w->toolTip() : caption;
}

}  // namespace

const QString Form1::kHomePage = QStringLiteral("https://swatchly.example/");
const QString Form1::kContactEmail = QStringLiteral("support@swatchly.example");

QString Form1::helpText() {
    return QStringLiteral(
               "Click Grab Color, put your mouse over the color you'd like and then left click "
               "the color.  If there are features you would like to see added to this "
               "application please contact ") +
           kContactEmail +
           QStringLiteral(
               ".\n\nKeys: while grabbing, Escape ends grab mode and 1, 3, 5, 7 or 9 (or Ctrl "
               "with the wheel) takes the average of that many pixels a side. Ctrl+C copies "
               "the colour in the Copy As form, Ctrl+V pastes one; Edit > Recent Colours holds "
               "the last picks, Edit > Contrast... the contrast view. Alt, then the arrows, "
               "opens the menus. swatchly --help lists the command line.");
}

Form1::Form1(Services services, QWidget* parent)
    : QMainWindow(parent), m_services(withQtDefaults(std::move(services))) {
    setObjectName(QStringLiteral("Form1"));
    pickSession = new PickSession(*m_services.probe, this);
    connect(pickSession, &PickSession::announce, this,
            [this](const QString& text) { m_services.announcer->announce(text); });
    m_history = std::make_unique<HistoryFile>(HistoryFile::beside(m_services.store->path()));
    build();
    wire();
    Form_Load();
    restoreKept();
}

Form1::~Form1() = default;

void Form1::build() {
    setWindowTitle(QStringLiteral("Swatchly"));
    setWindowIcon(appIcon());
    // An ordinary caption bar with minimise and close, no maximise: the size is fixed. On
    // Windows the frame has no sizing border either (other platforms ignore that flag).
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto* client = new ClientArea(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(twips(kClientWidthTwips), twips(kClientHeightTwips));
    setCentralWidget(client);
    client->MouseDown = [this] { Form_MouseDown(); };

    // Each control gets its name, its place in twips and its TabIndex (kept as a property so
    // the tab order can be read back); the list keeps their order for stacking.
    std::vector<QWidget*> stacking;
    std::vector<std::pair<int, QWidget*>> tabOrder;
    auto place = [&](QWidget* w, const char* name, int left, int top, int width, int height,
                     int tabIndex) {
        w->setObjectName(QString::fromLatin1(name));
        w->setGeometry(twips(left), twips(top), twips(width), twips(height));
        w->setProperty("TabIndex", tabIndex);
        stacking.push_back(w);
        tabOrder.emplace_back(tabIndex, w);
    };
    auto timer = [&](const char* name, int interval, bool enabled) {
        auto* t = new Timer(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setInterval(interval);
        t->setEnabled(enabled);
        return t;
    };
    const QColor buttonFace = palette().color(QPalette::Button);
    auto textBox = [&](QWidget* parent, const char* name, int l, int t, int w, int h, int tab) {
        auto* box = new TextBox(parent);
        place(box, name, l, t, w, h, tab);
        box->setFont(makeFont("Tahoma", 8.25));
        box->setFrame(false);
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, buttonFace);
        box->setPalette(pal);
        return box;
    };
    auto button = [&](const char* name, const char* caption, int l, int t, int w, int h, int tab,
                      const QFont& f) {
        auto* b = new QPushButton(QString::fromLatin1(caption), client);
        place(b, name, l, t, w, h, tab);
        b->setFont(f);
        QPalette pal = b->palette();
        pal.setColor(QPalette::Button, QColor(0xC0, 0xC0, 0xC0));
        b->setPalette(pal);
        return b;
    };
    auto picture = [&](const char* name, int l, int t, int w, int h, int tab,
                       const char* tip = nullptr) {
        auto* box = new PictureBox(client);
        place(box, name, l, t, w, h, tab);
        if (tip) box->setToolTip(QString::fromLatin1(tip));
        return box;
    };
    auto label = [&](QWidget* parent, const char* name, const char* caption, int l, int t, int w,
                     int h, int tab, QColor colour, const QFont& f) {
        auto* lab = new Label(QString::fromLatin1(caption), parent);
        place(lab, name, l, t, w, h, tab);
        lab->setFont(f);
        QPalette pal = lab->palette();
        pal.setColor(QPalette::WindowText, colour);
        lab->setPalette(pal);
        return lab;
    };
    auto channelBar = [&](const char* name, int l, int t, int w, int h, int tab) {
        auto* bar = new ScrollBar(client);
        place(bar, name, l, t, w, h, tab);
        bar->setRange(0, 255);
        bar->setSingleStep(1);
        bar->setPageStep(10);
        return bar;
    };
    auto frame = [&](const char* name, int l, int t, int w, int h, int tab) {
        auto* box = new QGroupBox(client);
        place(box, name, l, t, w, h, tab);
        return box;
    };
    const QColor black(0, 0, 0);
    const QFont labelFont = makeFont("Tahoma", 6.75, true);

    Timer2 = timer("Timer2", 100, false);
    NewPrev = picture("NewPrev", 2760, 285, 1455, 1305, 28,
                      "Drag this color to one of the saveslots or to the gradient");
    NewPrev->dragModeAutomatic = true;
    m_previewHint = NewPrev->toolTip();
    Rtxt = textBox(client, "Rtxt", 720, 285, 420, 200, 27);
    Gtxt = textBox(client, "Gtxt", 1200, 285, 420, 200, 26);
    Btxt = textBox(client, "Btxt", 1680, 285, 420, 200, 25);
    for (TextBox* box : {Rtxt, Gtxt, Btxt}) box->QLineEdit::setText(QStringLiteral("0"));
    const QFont small = makeFont("Small Fonts", 6.75);
    RGBSet = button("RGBSet", "Set", 2160, 285, 495, 200, 24, small);
    HexVal = textBox(client, "HexVal", 720, 765, 1380, 200, 23);
    VbVal = textBox(client, "VbVal", 720, 525, 1380, 200, 22);
    // Each hex "Set" stands in the row of the box it applies.
    HexSet = button("HexSet", "Set", 2160, 765, 495, 200, 21, small);
    VbSet = button("VbSet", "Set", 2160, 525, 495, 200, 20, small);
    Picture1 = picture("Picture1", 1215, 4050, 135, 135, 19);
    Picture1->setBackColor(0);
    Picture1->setPicture(shapeMask());
    Timer1 = timer("Timer1", 0, true);
    GetPixelbtn =
        button("GetPixelbtn", "Grab Color", 675, 1350, 1440, 255, 18, makeFont("Tahoma", 8.25));
    GetPixelbtn->setCheckable(true);  // checked while grab mode is on
    activetxt = textBox(client, "activetxt", 1200, 5160, 1455, 285, 17);
    activetxt->setFocusPolicy(Qt::NoFocus);  // a store the user never sees
    SaveC1 = picture("SaveC1", 4680, 600, 255, 255, 16, "Doubleclick to set as current color");
    SaveC2 = picture("SaveC2", 4680, 960, 255, 255, 15, "Doubleclick to set as current color");
    SaveC3 = picture("SaveC3", 4680, 1320, 255, 255, 14, "Doubleclick to set as current color");
    SaveC4 = picture("SaveC4", 4680, 1680, 255, 255, 13, "Doubleclick to set as current color");
    SaveC5 = picture("SaveC5", 4680, 2040, 255, 255, 12, "Doubleclick to set as current color");
    SaveC6 = picture("SaveC6", 4680, 2400, 255, 255, 11, "Doubleclick to set as current color");
    SaveC7 = picture("SaveC7", 4680, 2760, 255, 255, 10, "Doubleclick to set as current color");
    Gradient = picture("Gradient", 720, 4920, 3825, 255, 9,
                       "The gradient, use the 'get pixel' button to grab a color");
    GradientL =
        picture("GradientL", 360, 5040, 255, 255, 8, "Drop here the first color for the gradient");
    GradientR = picture("GradientR", 4680, 3555, 255, 255, 7,
                        "Drop here the second color for the gradient");
    TScroll = channelBar("TScroll", 1080, 3090, 3135, 210, 6);
    TScroll->setToolTip(QStringLiteral("Darker or lighter"));
    // The channel previews keep the default background until Form_Load paints them.
    const std::int32_t defaultBack = 0xF0F0F0;
    BPrev = picture("BPrev", 3510, 4170, 255, 200, 5);
    GPrev = picture("GPrev", 3510, 4005, 255, 200, 4);
    RPrev = picture("RPrev", 3870, 4050, 255, 200, 3);
    for (PictureBox* p : {BPrev, GPrev, RPrev}) p->setBackColor(defaultBack);
    BScroll = channelBar("BScroll", 1080, 2730, 3135, 200, 2);
    GScroll = channelBar("GScroll", 1080, 1980, 3135, 200, 1);
    RScroll = channelBar("RScroll", 1080, 2370, 3135, 200, 0);
    Frame2 = frame("Frame2", 135, 1755, 4215, 1695, 33);
    Label3 = label(Frame2, "Label3", "Blue:", 240, 960, 495, 255, 36,
                   PictureBox::toQColor(0xFF0000), labelFont);
    Label2 = label(Frame2, "Label2", "Green:", 240, 240, 735, 255, 35,
                   PictureBox::toQColor(0x00C000), labelFont);
    Label1 = label(Frame2, "Label1", "Red:", 240, 600, 495, 255, 34, PictureBox::toQColor(0x0000FF),
                   labelFont);
    Frame1 = frame("Frame1", 120, 45, 4215, 1695, 29);
    Text1 = textBox(Frame1, "Text1", 585, 945, 1400, 240, 40);
    Label8 = label(Frame1, "Label8", "HTML", 90, 990, 465, 195, 39,
                   palette().color(QPalette::WindowText), labelFont);
    // Each row label stands beside the row it names: RGB (decimal boxes), VB, HEX.
    Label5 = label(Frame1, "Label5", "HEX", 120, 720, 495, 255, 32, black, labelFont);
    Label6 = label(Frame1, "Label6", "VB", 120, 480, 495, 255, 31, black, labelFont);
    Label4 = label(Frame1, "Label4", "RGB", 120, 240, 495, 255, 30, black, labelFont);
    Label7 = label(client, "Label7", "", 2970, 3555, 2055, 255, 38, PictureBox::toQColor(0xFF0000),
                   makeFont("Tahoma", 8.25, false, true));
    // Made a link before its text is set: the text's change is what first asks for the
    // label's accessible interface, which then stays.
    Label7->makeLink([this] { Label7_MouseDown(); });
    // The whole address runs past the window's edge in common fonts; its host name says where
    // the link goes and fits. A screen reader still reads the whole address.
    Label7->setText(QUrl(kHomePage).host());
    Label7->setCursor(Qt::PointingHandCursor);
    Label9 = label(client, "Label9", "", 360, 3105, 495, 660, 37, PictureBox::toQColor(0xC00000),
                   makeFont("Verdana", 6.75, true));

    // Earlier in the list is drawn in front.
    for (auto it = stacking.rbegin(); it != stacking.rend(); ++it) (*it)->raise();

    std::sort(tabOrder.begin(), tabOrder.end());
    QWidget* previous = nullptr;
    for (const auto& [index, w] : tabOrder) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w == Label7) continue;
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
    // For the keyboard, after those: the link, then the slots and the gradient's ends, which
    // take the focus where Show Swatches shows them.
    for (QWidget* w :
         std::initializer_list<QWidget*>{Label7, SaveC1, SaveC2, SaveC3, SaveC4, SaveC5, SaveC6,
                                         SaveC7, GradientL, GradientR}) {
        w->setFocusPolicy(Qt::StrongFocus);
        QWidget::setTabOrder(previous, w);
        previous = w;
    }
    // A reader announces a label with its control only where both have the same parent: the
    // row and channel labels leave their frames for the client, where they stood, in front.
    for (auto [label, buddy] : {std::pair<Label*, QWidget*>{Label4, Rtxt},
                                {Label6, VbVal},
                                {Label5, HexVal},
                                {Label8, Text1},
                                {Label1, RScroll},
                                {Label2, GScroll},
                                {Label3, BScroll}}) {
        if (label->parentWidget() != buddy->parentWidget()) {
            const QPoint at = label->parentWidget()->mapTo(client, label->pos());
            label->setParent(client);
            label->move(at);
            label->show();
            label->raise();
        }
        label->setBuddy(buddy);
    }

    buildMenus();

    // What a screen reader says: a control's caption, else its tooltip; the boxes, bars, frames
    // and previews that show neither are named after the row or bar they belong to. The three
    // "Set" buttons say in their description which row they apply.
    for (QWidget* w : stacking) w->setAccessibleName(captionOrToolTip(w));
    const struct {
        QWidget* widget;
        const char* name;
        const char* description;
    } accessible[] = {
        {client, "Swatchly", nullptr},
        {Rtxt, "Red value", nullptr},
        {Gtxt, "Green value", nullptr},
        {Btxt, "Blue value", nullptr},
        {VbVal, "VB hex", nullptr},
        {HexVal, "HTML hex", nullptr},
        {Text1, "HTML", nullptr},
        {RScroll, "Red", nullptr},
        {GScroll, "Green", nullptr},
        {BScroll, "Blue", nullptr},
        {TScroll, "Darker or lighter", nullptr},
        {Label9, "Tone", nullptr},  // the blank label left of the tone bar
        {Gradient, "Blend", nullptr},
        {RPrev, "Red preview", nullptr},
        {GPrev, "Green preview", nullptr},
        {BPrev, "Blue preview", nullptr},
        {Frame1, "Colour as text", nullptr},
        {Frame2, "Channels", nullptr},
        {activetxt, "Active window", nullptr},
        {Picture1, "Window shape", nullptr},
        {RGBSet, "Set RGB", "Applies the red, green and blue values"},
        {VbSet, "Set VB hex", "Applies the VB hex text"},
        {HexSet, "Set HEX", "Applies the HTML hex text"},
        {menuBar(), "Menu bar", nullptr},
    };
    for (const auto& a : accessible) {
        if (a.name) a.widget->setAccessibleName(QString::fromLatin1(a.name));
        if (a.description) a.widget->setAccessibleDescription(QString::fromLatin1(a.description));
    }
    for (QMenu* menu : {f, opt}) menu->setAccessibleName(menu->title());
    Label7->setAccessibleName(kHomePage);
    // The preview and the places that keep a colour say which colour; the preview's
    // description names it and gives the drag hint (SetPrev).
    NewPrev->nameWithColour(QStringLiteral("Current colour"), htmlHex);
    for (int i = 0; i < 7; ++i)
        swatchSlots()[i]->nameWithColour(QStringLiteral("Swatch %1").arg(i + 1), htmlHex);
    GradientL->nameWithColour(QStringLiteral("Blend start"), htmlHex);
    GradientR->nameWithColour(QStringLiteral("Blend end"), htmlHex);

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void Form1::wire() {
    RScroll->Change = [this] { RScroll_Change(); };
    GScroll->Change = [this] { GScroll_Change(); };
    BScroll->Change = [this] { BScroll_Change(); };
    RScroll->Scroll = [this] { RScroll_Scroll(); };
    GScroll->Scroll = [this] { GScroll_Scroll(); };
    BScroll->Scroll = [this] { BScroll_Scroll(); };
    TScroll->Change = [this] { TScroll_Change(); };
    TScroll->Scroll = [this] { TScroll_Scroll(); };

    HexVal->Change = [this] { HexVal_Change(); };
    Rtxt->GotFocus = [this] { Rtxt_GotFocus(); };
    Gtxt->GotFocus = [this] { Gtxt_GotFocus(); };
    Btxt->GotFocus = [this] { Btxt_GotFocus(); };
    HexVal->GotFocus = [this] { HexVal_GotFocus(); };
    VbVal->GotFocus = [this] { VbVal_GotFocus(); };
    Text1->GotFocus = [this] { Text1_GotFocus(); };
    for (TextBox* box : {Rtxt, Gtxt, Btxt, HexVal, VbVal, Text1})
        connect(box, &QLineEdit::returnPressed, box,
                [this, box] { guard([this, box] { applyRow(box); }); });

    auto click = [](QPushButton* b, Event handler) {
        QObject::connect(b, &QPushButton::clicked, b, [handler] { guard(handler); });
    };
    click(RGBSet, [this] { RGBSet_Click(); });
    click(HexSet, [this] { HexSet_Click(); });
    click(VbSet, [this] { VbSet_Click(); });
    click(GetPixelbtn, [this] { GetPixelbtn_Click(); });

    Timer1->Tick = [this] { Timer1_Timer(); };
    Timer2->Tick = [this] { Timer2_Timer(); };
    Gradient->Click = [this] { Gradient_Click(); };
    GradientL->Click = [this] { GradientL_Click(); };
    GradientR->Click = [this] { GradientR_Click(); };

    NewPrev->DragOver = [this] { NewPrev_DragOver(); };
    setUpDragSource();
    PictureBox* swatches[] = {SaveC1, SaveC2, SaveC3, SaveC4, SaveC5, SaveC6, SaveC7};
    void (Form1::*drops[])() = {&Form1::SaveC1_DragDrop, &Form1::SaveC2_DragDrop,
                                &Form1::SaveC3_DragDrop, &Form1::SaveC4_DragDrop,
                                &Form1::SaveC5_DragDrop, &Form1::SaveC6_DragDrop,
                                &Form1::SaveC7_DragDrop};
    void (Form1::*dblClicks[])() = {&Form1::SaveC1_DblClick, &Form1::SaveC2_DblClick,
                                    &Form1::SaveC3_DblClick, &Form1::SaveC4_DblClick,
                                    &Form1::SaveC5_DblClick, &Form1::SaveC6_DblClick,
                                    &Form1::SaveC7_DblClick};
    for (int i = 0; i < 7; ++i) {
        swatches[i]->DragDrop = [this, h = drops[i]] { (this->*h)(); };
        swatches[i]->DblClick = [this, h = dblClicks[i]] { (this->*h)(); };
    }
    GradientL->DragDrop = [this] { GradientL_DragDrop(); };
    Gradient->DblClick = [this] { Gradient_DblClick(); };
    GradientR->DragDrop = [this] { GradientR_DragDrop(); };
    // The keep key: as the preview dragged there and dropped.
    for (PictureBox* target :
         {SaveC1, SaveC2, SaveC3, SaveC4, SaveC5, SaveC6, SaveC7, GradientL, GradientR})
        target->Keep = [this, target] {
            NewPrev_DragOver();
            target->DragDrop();
        };
    for (PictureBox* target :
         {NewPrev, SaveC1, SaveC2, SaveC3, SaveC4, SaveC5, SaveC6, SaveC7, GradientL, GradientR})
        target->setAcceptDrops(true);

    Label7->MouseDown = [this] { Label7_MouseDown(); };

    connect(magnifierAction, &QAction::toggled, pickSession, &PickSession::setLoupeShown);
    connect(pickSession, &PickSession::picked, this,
            [this](Channels colour) { guard([this, colour] { picked(colour); }); });
    connect(pickSession, &PickSession::unavailable, this, [this] {
        guard([this] {
            m_services.messageBox->show(this, kNoColourPicker, MessageBox::OkOnly,
                                        QStringLiteral("Swatchly"));
        });
    });
}

void Form1::Form_Load() {
    GradLeftR = std::int16_t(0);
    GradLeftG = std::int16_t(0);
    GradLeftB = std::int16_t(0);
    GradRightR = std::int16_t(0);
    GradRightG = std::int16_t(0);
    GradRightB = std::int16_t(0);
    ToneActive = QStringLiteral("yes");
    RPrev->setBackColor(rgb(RScroll->Value(), 0, 0));
    GPrev->setBackColor(rgb(0, GScroll->Value(), 0));
    BPrev->setBackColor(rgb(0, 0, BScroll->Value()));
    SetPrev(RScroll->Value(), GScroll->Value(), BScroll->Value());
    SetHex(RScroll->Value(), GScroll->Value(), BScroll->Value());
    SetVb(RScroll->Value(), GScroll->Value(), BScroll->Value());
    Picture1->setAutoSize(true);
    Picture1->setVisible(false);
    Timer1->setEnabled(false);
}

}  // namespace swatchly

#include "shell/aboutForm.h"

#include "shell/desktopOpener.h"
#include "shell/helpCommands.h"
#include "shell/linkLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QSvgRenderer>
#include <QVBoxLayout>
#include <QWindow>

namespace {

// A picture drawn from an SVG, stretched over the whole widget.
class SvgPicture final : public QWidget {
public:
    SvgPicture(const QString& resource, QWidget* parent = nullptr)
        : QWidget(parent), m_renderer(resource) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_renderer.render(&painter, QRectF(rect()));
    }

private:
    QSvgRenderer m_renderer;
};

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QFont sized(QFont font, int pixels, bool bold) {
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

TAboutForm::TAboutForm(const ProgramInfo& info, DesktopOpener& opener, QWidget* mainWindow)
    : QDialog(nullptr), // not a child: disabling the main window would disable the dialog too
      m_info(info), m_opener(opener), m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildUpperPanel());
    layout->addWidget(buildLowerPanel());
    setFixedSize(480, 400);
}

QWidget* TAboutForm::buildUpperPanel() {
    auto* upper = named(new QWidget, "panTop");
    upper->setFixedHeight(210);
    auto* row = new QHBoxLayout(upper);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    auto* strip = named(new SvgPicture(QStringLiteral(":/about/strip.svg")), "imgStrip");
    strip->setFixedWidth(120);
    row->addWidget(strip);

    auto* back = named(new SvgPicture(QStringLiteral(":/about/background.svg")), "imgBackground");
    row->addWidget(back, 1);
    auto* texts = new QVBoxLayout(back);
    texts->setContentsMargins(22, 18, 16, 14);
    texts->setSpacing(4);

    labProgramName = named(new QLabel(m_info.programName), "labProgramName");
    labProgramName->setFont(sized(font(), 28, true));
    labVersion =
        named(new QLabel(QStringLiteral("Version ") + m_info.programVersion), "labVersion");
    labVersion->setFont(sized(font(), 13, true));
    labNotice1 = named(
        new QLabel(
            QStringLiteral("Copyright (C) %1 %2.").arg(m_info.programYear, m_info.companyName)),
        "labNotice1");
    labNotice2 = named(
        new QLabel(QStringLiteral("Made by the %1; all rights reserved.").arg(m_info.companyName)),
        "labNotice2");
    labVisitWebsite = named(new QLabel(QStringLiteral("Visit our website")), "labVisitWebsite");
    labWebsite = named(new LinkLabel(m_info.webAddress), "labWebsite");

    for (QLabel* label : {labProgramName, labVersion, labNotice1, labNotice2, labVisitWebsite})
        label->setStyleSheet(QStringLiteral("background: transparent;"));
    labProgramName->setStyleSheet(QStringLiteral("background: transparent; color: #0f5e86;"));

    texts->addWidget(labProgramName);
    texts->addWidget(labVersion);
    texts->addSpacing(10);
    texts->addWidget(labNotice1);
    texts->addWidget(labNotice2);
    texts->addStretch();
    texts->addWidget(labVisitWebsite);
    texts->addWidget(labWebsite);

    connect(labWebsite, &LinkLabel::clicked, this, &TAboutForm::labWebsiteClick);
    return upper;
}

QWidget* TAboutForm::buildLowerPanel() {
    auto* lower = named(new QWidget, "panBottom");
    auto* column = new QVBoxLayout(lower);
    column->setContentsMargins(22, 12, 16, 12);
    column->setSpacing(4);

    Label7 = named(new QLabel(QStringLiteral("More video converting softwares")), "Label7");
    Label7->setFont(sized(font(), 13, true));
    column->addWidget(Label7);

    const QList<ProjectPage> pages = ProjectPages(m_info);
    LinkLabel** links[] = {&Label8, &Label9, &Label10};
    const char* names[] = {"Label8", "Label9", "Label10"};
    for (int i = 0; i < 3; ++i) {
        LinkLabel* link = named(new LinkLabel(pages[i].caption), names[i]);
        link->setToolTip(pages[i].address);
        const QString address = pages[i].address;
        connect(link, &LinkLabel::clicked, this,
                [this, address] { m_opener.openAddress(address); });
        column->addWidget(link);
        *links[i] = link;
    }
    labMore = named(new LinkLabel(QStringLiteral("(More)")), "labMore");
    labMore->setToolTip(m_info.webAddress);
    connect(labMore, &LinkLabel::clicked, this, &TAboutForm::labMoreClick);
    column->addWidget(labMore);
    column->addStretch();

    btnTech = named(new QPushButton(QStringLiteral("Tech Support")), "btnTech");
    btnSales = named(new QPushButton(QStringLiteral("Sales Support")), "btnSales");
    btnOK = named(new QPushButton(QStringLiteral("&OK")), "btnOK");
    btnTech->setAutoDefault(false);
    btnSales->setAutoDefault(false);
    btnOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnTech);
    buttons->addWidget(btnSales);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    column->addLayout(buttons);

    connect(btnTech, &QPushButton::clicked, this, &TAboutForm::btnTechClick);
    connect(btnSales, &QPushButton::clicked, this, &TAboutForm::btnSalesClick);
    connect(btnOK, &QPushButton::clicked, this, &TAboutForm::btnOKClick);
    return lower;
}

void TAboutForm::labWebsiteClick() {
    m_opener.openAddress(labWebsite->text());
}

void TAboutForm::labMoreClick() {
    m_opener.openAddress(m_info.webAddress);
}

void TAboutForm::btnTechClick() {
    m_opener.openAddress(QStringLiteral("mailto:") + m_info.techSupportMail);
}

void TAboutForm::btnSalesClick() {
    m_opener.openAddress(QStringLiteral("mailto:") + m_info.salesMail);
}

void TAboutForm::btnOKClick() {
    hide();
}

void TAboutForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous() || !m_mainWindow)
        return;
    if (windowHandle() && m_mainWindow->windowHandle())
        windowHandle()->setTransientParent(m_mainWindow->windowHandle());
    const QRect owner = m_mainWindow->frameGeometry();
    move(owner.center() - QPoint(width() / 2, height() / 2));
    m_mainWindow->setEnabled(false);
}

void TAboutForm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // "&OK", Escape and the close box all end here.
    if (!event->spontaneous() && m_mainWindow)
        m_mainWindow->setEnabled(true);
}

#pragma once

#include "app/programInfo.h"

#include <QDialog>
#include <QPointer>

class DesktopOpener;
class LinkLabel;
class QLabel;
class QPushButton;

// The About dialog, created once at start-up with its texts and hidden when
// closed. Every link and support button hands its address to the desktop.
// While it is visible the main window is disabled.
class TAboutForm final : public QDialog {
    Q_OBJECT
public:
    TAboutForm(const ProgramInfo& info, DesktopOpener& opener, QWidget* mainWindow);

public slots:
    void labWebsiteClick();
    void labMoreClick();
    void btnTechClick();
    void btnSalesClick();
    void btnOKClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildUpperPanel();
    QWidget* buildLowerPanel();

    ProgramInfo m_info;
    DesktopOpener& m_opener;
    QPointer<QWidget> m_mainWindow;

    QLabel* labProgramName = nullptr;
    QLabel* labVersion = nullptr;
    QLabel* labNotice1 = nullptr;
    QLabel* labNotice2 = nullptr;
    QLabel* labVisitWebsite = nullptr;
    LinkLabel* labWebsite = nullptr;
    QLabel* Label7 = nullptr;
    LinkLabel* Label8 = nullptr;
    LinkLabel* Label9 = nullptr;
    LinkLabel* Label10 = nullptr;
    LinkLabel* labMore = nullptr;
    QPushButton* btnTech = nullptr;
    QPushButton* btnSales = nullptr;
    QPushButton* btnOK = nullptr;
};

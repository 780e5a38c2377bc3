#include "ScreenshotRun.h"

#include "COMDlg.h"
#include "COscillationsDlg.h"
#include "ControlId.h"
#include "DisplayQR.h"
#include "EventWait.h"
#include "PageTabCtrl.h"
#include "QuorinDlg.h"
#include "QuorinErrorCodes.h"
#include "UserDialogs.h"
#include "ZelnarDlg.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

CScreenshotRun::CScreenshotRun(QString folder, QString port, QString quorinPort)
    : m_strFolder(std::move(folder)), m_strPort(std::move(port)),
      m_strQuorinPort(std::move(quorinPort))
{
    // The device's replies arrive while a message would be open.
    CUserDialogs::SetMessageHandler([](const QString&) { WaitWithEvents(500); });
    CUserDialogs::SetModalHandler([this](QDialog& dialog) {
        if (auto* main = qobject_cast<ZelnarDlg*>(&dialog)) {
            auto* tabs = FindControl<CPageTabCtrl>(main, 1011);
            tabs->setCurrentIndex(2);
            WaitWithEvents(300);
            main->grab().save(m_strFolder + "/ZelnarDlg.png");
            SimulationPictures(*main, *tabs);
            if (m_strQuorinPort.isEmpty()) {
                main->reject();
                return main->result();
            }
            // On to the Quorin family, through COM Configuration.
            m_bQuorinNext = true;
            FindControl<QAction>(main, 32771)->trigger();
            return main->result();
        }
        if (auto* main = qobject_cast<QuorinDlg*>(&dialog)) {
            QuorinPictures(*main);
            main->reject();
            return main->result();
        }
        if (qobject_cast<COscillationsDlg*>(&dialog)) {
            dialog.accept();
            return dialog.result();
        }
        dialog.show();
        if (auto* configuration = qobject_cast<COMDlg*>(&dialog)) {
            WaitWithEvents(300);
            if (m_bQuorinNext) {
                FindControl<QComboBox>(configuration, 1010)->setCurrentText("Quorin");
                FindControl<QComboBox>(configuration, 1000)->setEditText(m_strQuorinPort);
            } else {
                dialog.grab().save(m_strFolder + "/COMDlg.png");
                FindControl<QComboBox>(configuration, 1000)->setEditText(m_strPort);
            }
            configuration->accept();
            return int(QDialog::Accepted);
        }
        dialog.reject();
        return int(QDialog::Rejected);
    });
}

void CScreenshotRun::SimulationPictures(ZelnarDlg& main, CPageTabCtrl& tabs) const
{
    FindControl<QAction>(&main, 32798)->trigger();
    FindControl<QPushButton>(&main, 1053)->click();
    static constexpr const char* pages[] = {"DisplayZL", "GraphZL", "ClassicZL", "LogZL"};
    for (int page = 0; page < 4; ++page) {
        tabs.setCurrentIndex(page);
        WaitWithEvents(1500);
        main.grab().save(m_strFolder + "/Simulation-" + pages[page] + ".png");
    }
    FindControl<QAction>(&main, 32799)->trigger();
}

void CScreenshotRun::QuorinPictures(QuorinDlg& main) const
{
    auto* tabs = FindControl<CPageTabCtrl>(&main, 1011);
    tabs->setCurrentIndex(2);
    WaitWithEvents(300);
    main.grab().save(m_strFolder + "/QuorinDlg.png");
    tabs->setCurrentIndex(0);
    FindControl<QAction>(&main, 32823)->trigger();
    FindControl<QPushButton>(&main, 1131)->click();
    // Until the run has passed a stretch of weak reflexes, and what to do about them.
    const auto* weakReflexes =
        FindControl<QLineEdit>(&main.Display(), QuorinErrorCodes[0].nCountBoxId);
    for (int wait = 0; wait < 120 && weakReflexes->text() == "0"; ++wait)
        WaitWithEvents(500);
    WaitWithEvents(1000);
    main.grab().save(m_strFolder + "/Simulation-QuorinDlg.png");
    FindControl<QPushButton>(&main.Display(), QuorinErrorCodes[0].nHelpButtonId)->click();
    WaitWithEvents(300);
    main.Display().grab().save(m_strFolder + "/QuorinErrors.png");
    FindControl<QAction>(&main, 32824)->trigger();
}

CScreenshotRun::~CScreenshotRun()
{
    CUserDialogs::SetMessageHandler({});
    CUserDialogs::SetModalHandler({});
}

#include "ScreenshotRun.h"

#include "COMDlg.h"
#include "COscillationsDlg.h"
#include "ControlId.h"
#include "PageTabCtrl.h"
#include "UserDialogs.h"
#include "ZelnarDlg.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QPixmap>
#include <QPushButton>

namespace {

void Settle(int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace

CScreenshotRun::CScreenshotRun(QString folder, QString port)
    : m_strFolder(std::move(folder)), m_strPort(std::move(port))
{
    // The device's replies arrive while a message would be open.
    CUserDialogs::SetMessageHandler([](const QString&) { Settle(500); });
    CUserDialogs::SetModalHandler([this](QDialog& dialog) {
        if (auto* main = qobject_cast<ZelnarDlg*>(&dialog)) {
            auto* tabs = FindControl<CPageTabCtrl>(main, 1011);
            tabs->setCurrentIndex(2);
            Settle(300);
            main->grab().save(m_strFolder + "/ZelnarDlg.png");
            SimulationPictures(*main, *tabs);
            main->reject();
            return main->result();
        }
        if (qobject_cast<COscillationsDlg*>(&dialog)) {
            dialog.accept();
            return dialog.result();
        }
        dialog.show();
        if (auto* configuration = qobject_cast<COMDlg*>(&dialog)) {
            Settle(300);
            dialog.grab().save(m_strFolder + "/COMDlg.png");
            FindControl<QComboBox>(configuration, 1000)->setEditText(m_strPort);
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
        Settle(1500);
        main.grab().save(m_strFolder + "/Simulation-" + pages[page] + ".png");
    }
    FindControl<QAction>(&main, 32799)->trigger();
}

CScreenshotRun::~CScreenshotRun()
{
    CUserDialogs::SetMessageHandler({});
    CUserDialogs::SetModalHandler({});
}

#include "ScreenshotRun.h"

#include "COMDlg.h"
#include "ControlId.h"
#include "PageTabCtrl.h"
#include "UserDialogs.h"
#include "ZelnarDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QPixmap>

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
            FindControl<CPageTabCtrl>(main, 1011)->setCurrentIndex(2);
            Settle(300);
            main->grab().save(m_strFolder + "/ZelnarDlg.png");
            main->reject();
            return main->result();
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

CScreenshotRun::~CScreenshotRun()
{
    CUserDialogs::SetMessageHandler({});
    CUserDialogs::SetModalHandler({});
}

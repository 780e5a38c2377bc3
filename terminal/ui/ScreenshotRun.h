#pragma once

#include <QString>

class CPageTabCtrl;
class ZelnarDlg;

// Pictures of the dialogs for the documentation: the program runs as usual, but each dialog is
// saved as a PNG in the folder once it is drawn and then answered in place of the operator:
// the configuration dialog with the port given, the main dialog after its start-up, showing
// its Classic page with the device's parameter listing, then each of its four pages during a
// simulation run.
class CScreenshotRun
{
public:
    CScreenshotRun(QString folder, QString port);
    ~CScreenshotRun();
    CScreenshotRun(const CScreenshotRun&) = delete;
    CScreenshotRun& operator=(const CScreenshotRun&) = delete;

private:
    // Starts a simulation run with the default settings and saves each page during it.
    void SimulationPictures(ZelnarDlg& main, CPageTabCtrl& tabs) const;

    QString m_strFolder;
    QString m_strPort;
};

#pragma once

#include <QString>

class CPageTabCtrl;
class QuorinDlg;
class ZelnarDlg;

// Pictures of the dialogs for the documentation: the program runs as usual, but each dialog is
// saved as a PNG in the folder once it is drawn and then answered in place of the operator:
// the configuration dialog with the port given, the main dialog after its start-up, showing
// its Classic page with the device's parameter listing, then each of its four pages during a
// simulation run; with a Quorin port, the same through COM Configuration for the Quorin main
// dialog, with the Display page's error panel explaining a code.
class CScreenshotRun
{
public:
    CScreenshotRun(QString folder, QString port, QString quorinPort);
    ~CScreenshotRun();
    CScreenshotRun(const CScreenshotRun&) = delete;
    CScreenshotRun& operator=(const CScreenshotRun&) = delete;

private:
    // Starts a simulation run with the default settings and saves each page during it.
    void SimulationPictures(ZelnarDlg& main, CPageTabCtrl& tabs) const;
    void QuorinPictures(QuorinDlg& main) const;

    QString m_strFolder;
    QString m_strPort;
    QString m_strQuorinPort;
    bool m_bQuorinNext = false; // the next configuration chooses the Quorin family
};

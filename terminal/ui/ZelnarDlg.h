#pragma once

#include "DeviceCommands.h"
#include "LinkSettings.h"
#include "ParameterCommand.h"
#include "SerialLink.h"
#include "ZelnarParameterControls.h"
#include "ZelnarSimulationRun.h"

#include <QDialog>
#include <QTimer>

#include <string_view>

class CColorStatic;
class CPageTabCtrl;
class DisplayZL;
class GraphZL;
class LogZL;
class ClassicZL;
class QAction;
class QComboBox;
class QLineEdit;
class QMenuBar;
class QPushButton;

// The main dialog of the Zelnar family: the serial link, the parameter controls, the command
// buttons and menu, and the pages of the replies.
class ZelnarDlg : public QDialog
{
    Q_OBJECT
public:
    // The result with which the dialog ends when the operator confirmed a new configuration:
    // the main dialog of PortSettings takes its place.
    static constexpr int kReconfigured = 2;

    explicit ZelnarDlg(QWidget* parent = nullptr);
    ~ZelnarDlg() override;

    // Shows the dialog, connects, reads the parameters, and starts the tooltips and the timer.
    void Start();

    // UM_CLOSE_MAIN, Exit and the close box: disconnect and end.
    void reject() override;

    DisplayZL& Display() const { return *m_pDisplay; }
    GraphZL& Graph() const { return *m_pGraph; }
    ClassicZL& Classic() const { return *m_pClassic; }
    LogZL& Log() const { return *m_pLog; }
    CZelnarParameterControls Controls() const;
    bool IsBusy() const { return m_bBusy; }

protected:
    // Escape and Enter stop the acquisition; neither closes the dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildLayout();
    QMenuBar* BuildMenu();
    void SetTooltips();

    void OnConnect();
    void OnDisconnect();
    void OnComConfiguration();
    void UpdateConnectionMenu();
    void OnLost(const std::string& message);
    void OnReceived(std::string_view chunk);

    void OnCommand(ZelnarCommand command);
    void OnSendLine();
    void OnSendEsc();
    void OnGet();
    void OnSet();
    void OnResetParam();
    void OnShowAll();
    void OnSave();
    void OnLoad();
    void OnAbout();
    void OnStartSimulation();
    void OnStopSimulation();
    void OnPauseSimulation();
    void OnSimulatedRun();
    void OnSimulatedStop();
    void OnSimulationTick();
    void EnableSimulationControls(bool simulating);
    void EndSimulation();
    void OnParamsRead(const CZelnarParameterControls& controls);
    void RunParameterCommand(const CParameterCommand& command);
    void ShowControls(const CZelnarParameterControls& controls);
    void ShowChanged();

    void Write(std::string_view bytes);
    void Pause(int ms);
    void Message(const QString& text);

    CSerialLink m_link;
    CLinkSettings m_settings;
    CPageTabCtrl* m_pTabs;
    DisplayZL* m_pDisplay;
    GraphZL* m_pGraph;
    ClassicZL* m_pClassic;
    LogZL* m_pLog;
    CColorStatic* m_pChanged;
    QComboBox* m_pAS = nullptr;
    QComboBox* m_pPL = nullptr;
    QComboBox* m_pSE = nullptr;
    QComboBox* m_pSC = nullptr;
    QComboBox* m_pSDx = nullptr;
    QComboBox* m_pSDy = nullptr;
    std::vector<QLineEdit*> m_edits; // in the order of the edit table
    QAction* m_pConnect = nullptr;
    QAction* m_pDisconnect = nullptr;
    QTimer m_timer;
    CZelnarSimulationRun m_simRun;
    QTimer m_simTimer;    // plays the simulated run, one line per tick
    bool m_bBusy = false; // a parameter command is writing or waiting
};

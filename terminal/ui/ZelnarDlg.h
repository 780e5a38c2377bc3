#pragma once

#include "MainDlg.h"
#include "ParameterWidgets.h"
#include "ZelnarParameterControls.h"

class DisplayZL;
class GraphZL;
class LogZL;
class ClassicZL;

// The main dialog of the Zelnar family: its parameter controls, command buttons and menu, and
// its pages of the replies.
class ZelnarDlg : public CMainDlg
{
    Q_OBJECT
public:
    explicit ZelnarDlg(QWidget* parent = nullptr);

    DisplayZL& Display() const { return *m_pDisplay; }
    GraphZL& Graph() const { return *m_pGraph; }
    ClassicZL& Classic() const { return *m_pClassic; }
    LogZL& Log() const { return *m_pLog; }
    CZelnarParameterControls Controls() const { return m_parameters.Read(); }

protected:
    void DispatchReply(std::string_view chunk) override;
    void OnTimer() override;
    void SetTooltips() override;
    // Escape and Enter stop the acquisition.
    void OnDialogKey() override;
    void OnGet() override;
    void OnSet() override;
    void ResetAlarms() override;
    bool ShowListing(const std::string& listing) override;
    void CommandDone(const CParameterCommand& command, bool wentThrough) override;
    std::string ParameterFileText() override;
    const char* ParameterFileName() const override;
    bool ShowParameterFile(const std::string& path) override;
    void PrepareSimulation(bool firstStart) override;

private:
    void BuildLayout();
    QMenuBar* BuildMenu();
    void OnCommand(ZelnarCommand command);
    void OnResetParam();
    void OnShowAll();

    DisplayZL* m_pDisplay;
    GraphZL* m_pGraph;
    ClassicZL* m_pClassic;
    LogZL* m_pLog;
    TParameterWidgets<CZelnarParameterControls> m_parameters;
};

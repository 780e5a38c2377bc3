#pragma once

#include "MainDlg.h"
#include "ParameterWidgets.h"
#include "QuorinCommands.h"
#include "QuorinParameterControls.h"

class ClassicQR;
class DisplayQR;
class GraphQR;
class LogQR;

// The main dialog of the Quorin family: its parameter controls, command buttons and menu, and
// its pages of the replies. Escape and Enter do nothing here.
class QuorinDlg : public CMainDlg
{
    Q_OBJECT
public:
    explicit QuorinDlg(QWidget* parent = nullptr);

    DisplayQR& Display() const { return *m_pDisplay; }
    GraphQR& Graph() const { return *m_pGraph; }
    ClassicQR& Classic() const { return *m_pClassic; }
    LogQR& Log() const { return *m_pLog; }
    CQuorinParameterControls Controls() const { return m_parameters.Read(); }

protected:
    void DispatchReply(std::string_view chunk) override;
    void OnTimer() override;
    void SetTooltips() override;
    void OnGet() override;
    void OnSet() override;
    void ResetAlarms() override;
    bool ShowListing(const std::string& listing) override;
    std::string ParameterFileText() override;
    const char* ParameterFileName() const override;
    bool ShowParameterFile(const std::string& path) override;
    void PrepareSimulation(bool firstStart) override;

private:
    void BuildLayout();
    QMenuBar* BuildMenu();
    void OnCommand(QuorinCommand command);
    void OnReset();
    void OnShowAll();

    DisplayQR* m_pDisplay;
    GraphQR* m_pGraph;
    ClassicQR* m_pClassic;
    LogQR* m_pLog;
    TParameterWidgets<CQuorinParameterControls> m_parameters;
};

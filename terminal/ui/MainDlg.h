#pragma once

#include "ControlId.h"
#include "DesktopPublisher.h"
#include "DeviceCommands.h"
#include "LinkSettings.h"
#include "PageTabCtrl.h"
#include "ParameterCommand.h"
#include "ReconnectPolicy.h"
#include "ParameterSequence.h"
#include "SerialLink.h"
#include "SimulationRun.h"

#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

class CClassicPage;
class CDisplayPage;
class CColorStatic;
class CLogPage;
class CStatusBar;
class QAction;
class QGridLayout;
class QLayout;
class QMenuBar;

// The class of a member function: the dialog class a handler belongs to.
template <class Member> struct TMemberClass;
template <class Class, class Result, class... Arguments>
struct TMemberClass<Result (Class::*)(Arguments...)>
{
    using Type = Class;
};

// A button of a main dialog: its id, caption and tooltip (nullptr: none).
struct CButtonSpec
{
    int id;
    const char* text;
    const char* tooltip = nullptr;
};

// A tab page of a main dialog: its title, the page and its template id.
struct CMainPage
{
    const char* title;
    QWidget* page;
    unsigned templateId;
};

// What the main dialogs of both families share: the serial link and its menu, the pages in
// their tab control, the changed-indicator, the command plumbing, the parameter commands run by
// a sequence that everything closing the link or the dialog stops first, parameter files, and
// the simulation with its playback timer. Each family adds its controls, its commands and the
// decisions of its core.
class CMainDlg : public QDialog
{
    Q_OBJECT
public:
    // The result with which the dialog ends when the operator confirmed a new configuration:
    // the main dialog of PortSettings takes its place.
    static constexpr int kReconfigured = 2;
    // Option › MQTT… in both families' menus.
    static constexpr int kMqttMenuId = 32830;

    ~CMainDlg() override;

    // Shows the dialog, connects, reads the parameters, and starts the tooltips and the timer.
    void Start();

    // UM_CLOSE_MAIN, Exit and the close box: stop a simulated run, disconnect and end.
    void reject() override;
    CLogPage& LogPage() const { return *m_pLog; }
    CStatusBar& StatusBar() const { return *m_pStatusBar; }

    // A parameter command is writing or waiting.
    bool IsBusy() const { return m_sequence.IsRunning(); }

    // Plays simulated runs at one line every ms milliseconds instead of the device's pace;
    // -1 gives the device's pace again.
    void SetSimulationPace(int ms) { m_nSimulationPaceMs = ms; }

signals:
    // A line of a simulated run (or the rest line after a stop) waits in the family's line
    // variable; the Display page takes it next.
    void SimulatedLine();

protected:
    // family: "Zelnar" or "Quorin".
    CMainDlg(const char* family, std::unique_ptr<CSimulationRun> run, int changedId,
             QWidget* parent);

    // The four pages, in the order of their tabs; the first is the Display page.
    void SetPages(const std::array<CMainPage, 4>& pages, CDisplayPage& display,
                  CClassicPage& classic, CLogPage& log);
    // The controls that simulation mode locks, and its Pause button (disabled until then).
    void SetSimulationControls(std::vector<QWidget*> locked, QPushButton* pause);

    // The family's part.
    virtual void DispatchReply(std::string_view chunk) = 0;
    // Every 100 ms, after the Display and Classic pages have shown what arrived.
    virtual void OnTimer() = 0;
    virtual void SetTooltips() = 0;
    // Escape and Enter outside the Classic page.
    virtual void OnDialogKey() {}
    virtual void OnGet() = 0;
    virtual void OnSet() = 0;
    virtual void ResetAlarms() = 0;
    // Parses the device's listing from the Classic page and shows it on the controls; false,
    // with nothing changed, when the text holds no whole listing.
    virtual bool ShowListing(const std::string& listing) = 0;
    // The last step of a parameter command, whether it went through or not.
    virtual void CommandDone(const CParameterCommand&, bool /*wentThrough*/) {}
    // Save: the record takes the controls; the parameter file's text.
    virtual std::string ParameterFileText() = 0;
    virtual const char* ParameterFileName() const = 0;
    // Load: shows the file's values on the controls; false when it cannot be read whole.
    virtual bool ShowParameterFile(const std::string& path) = 0;
    // Start Simulation confirmed: the controls for a run, with the demonstration set the first
    // time.
    virtual void PrepareSimulation(bool firstStart) = 0;

    void keyPressEvent(QKeyEvent* event) override;

    template <class Handler> QPushButton* AddButton(const CButtonSpec& spec, Handler handler);
    template <class Handler>
    QAction* AddMenuItem(QMenu* menu, const char* text, int id, Handler handler);
    void AddFileMenu(QMenuBar* bar, int saveLogId, int exitId);
    void AddConnectionMenu(QMenuBar* bar, int configurationId, int connectId, int disconnectId);
    void AddSimulationMenu(QMenuBar* bar, int startId, int stopId);
    static void SetTooltip(QWidget* widget, const char* text);
    // A parameter row of a group: the key, then its widgets across three columns.
    static void AddParameterRow(QGridLayout* grid, int row, const char* key,
                                std::initializer_list<QWidget*> widgets);
    // Get and Set with the changed-indicator beside it, then the other parameter buttons, two
    // to a row.
    QGridLayout* ParameterButtons(QPushButton* get, QPushButton* set,
                                  std::initializer_list<QPushButton*> others);
    // The menu on top, the parameters left, the tabs in the middle, the commands right, and the
    // bottom row below all three.
    void PlaceControls(QMenuBar* menu, QLayout* left, QLayout* right, QLayout* bottom);
    // The dialog's own control of the id, not one of its pages'.
    template <class T> T* OwnControl(int id) const;
    // Connects the sender's signal to a handler: a member function of the dialog's class or
    // any callable.
    template <class Sender, class Signal, class Handler>
    void Bind(Sender* sender, Signal signal, Handler handler);

    void RunAction(const CCommandAction& action);
    void RunParameterCommand(const CParameterCommand& command);
    void OnSave();
    void OnLoad();
    void OnAbout();
    // Option › MQTT.
    void OnMqtt();
    void OnStartSimulation();
    void OnStopSimulation();
    void OnPauseSimulation();
    void ShowChanged();
    void Message(std::string_view text);

    CPageTabCtrl* m_pTabs;
    CColorStatic* m_pChanged;

private:
    void OnConnect();
    void OnDisconnect();
    void OnComConfiguration();
    void UpdateConnectionMenu();
    void OnLost(const std::string& message);
    void OnSendLine();
    void OnSendEsc();
    void OnSimulatedRun();
    void OnSimulatedStop();
    void OnSimulationTick();
    void DeliverSimulatedLine();
    void EnableSimulationControls(bool simulating);
    void EndSimulation();
    void Write(std::string_view bytes);
    void Pause(int ms);

    const QString m_strFamily;
    CSerialLink m_link;
    CParameterSequence m_sequence{*this, m_link};
    CLinkSettings m_settings;
    CReconnectPolicy m_reconnect;
    CStatusBar* m_pStatusBar;
    CDesktopPublisher m_publisher;
    CDisplayPage* m_pDisplayPage = nullptr;
    CClassicPage* m_pClassic = nullptr;
    CLogPage* m_pLog = nullptr;
    QAction* m_pConnect = nullptr;
    QAction* m_pDisconnect = nullptr;
    std::vector<QWidget*> m_simulationLocked;
    QPushButton* m_pPauseSimulation = nullptr;
    QTimer m_timer;
    std::unique_ptr<CSimulationRun> m_pSimRun;
    QTimer m_simTimer; // plays the simulated run, one line per tick
    int m_nSimulationPaceMs = -1;
};

template <class Handler> QPushButton* CMainDlg::AddButton(const CButtonSpec& spec, Handler handler)
{
    auto* button = WithControlId(new QPushButton(spec.text, this), spec.id);
    // Enter belongs to the dialog, not to a default button.
    button->setAutoDefault(false);
    Bind(button, &QPushButton::clicked, handler);
    return button;
}

template <class Handler>
QAction* CMainDlg::AddMenuItem(QMenu* menu, const char* text, int id, Handler handler)
{
    QAction* action = WithControlId(menu->addAction(text), id);
    Bind(action, &QAction::triggered, handler);
    return action;
}

template <class T> T* CMainDlg::OwnControl(int id) const
{
    return FindControlOutside<T>(this, id, m_pTabs);
}

template <class Sender, class Signal, class Handler>
void CMainDlg::Bind(Sender* sender, Signal signal, Handler handler)
{
    if constexpr (std::is_member_function_pointer_v<Handler>) {
        using Dialog = typename TMemberClass<Handler>::Type;
        connect(sender, signal, static_cast<Dialog*>(this), handler);
    } else {
        connect(sender, signal, this, handler);
    }
}

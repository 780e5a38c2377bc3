#include "MainDlg.h"

#include "AboutDlg.h"
#include "COMDlg.h"
#include "COscillationsDlg.h"
#include "ClassicPage.h"
#include "ColorStatic.h"
#include "DialogKeys.h"
#include "DisplayPage.h"
#include "EventWait.h"
#include "LogPage.h"
#include "MqttOptionDlg.h"
#include "ParameterTexts.h"
#include "PortSettings.h"
#include "ReconnectItem.h"
#include "ReplacingFile.h"
#include "StatusBar.h"
#include "TerminalSettings.h"
#include "TerminalState.h"
#include "UserDialogs.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>

#include <iterator>

namespace {

constexpr int kTooltipMs = 15000;
constexpr int kTimerMs = 100;
// Save and Load share their folder.
const QString kParametersFolder = QStringLiteral("parameters");

} // namespace

CMainDlg::CMainDlg(const char* family, std::unique_ptr<CSimulationRun> run, int changedId,
                   QWidget* parent)
    : QDialog(parent), m_pTabs(WithControlId(new CPageTabCtrl(this), 1011)),
      m_pChanged(WithControlId(new CColorStatic("Set", this), changedId)), m_strFamily(family),
      m_settings(LinkSettingsFrom(PortSettings)), m_reconnect(m_link),
      m_pStatusBar(new CStatusBar(m_strFamily, m_settings, m_reconnect, this)), m_publisher(m_link),
      m_pSimRun(std::move(run))
{
    g_bConnected = false;
    ResetSimulationState();
    m_pChanged->SetTextColor(QColor(255, 0, 0));
    m_pChanged->hide();
    g_nLineCount = 0;
    g_nLogLines = 0;

    m_link.SetReceiver([this](std::string_view chunk) { DispatchReply(chunk); });
    m_link.SetLostHandler([this](const std::string& message) { OnLost(message); });
    connect(&m_reconnect, &CReconnectPolicy::Reconnected, this, &CMainDlg::UpdateConnectionMenu);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_pDisplayPage->ShowPending();
        m_pClassic->ShowPending();
        OnTimer();
        m_pStatusBar->Refresh();
    });
    m_simTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_simTimer, &QTimer::timeout, this, &CMainDlg::OnSimulationTick);
}

CMainDlg::~CMainDlg()
{
    EndSimulation();
    m_link.ClosePort();
}

void CMainDlg::SetPages(const std::array<CMainPage, 4>& pages, CDisplayPage& display,
                        CClassicPage& classic, CLogPage& log)
{
    for (const CMainPage& page : pages)
        m_pTabs->AddPage(page.title, page.page, page.templateId);
    m_pTabs->CreatePages();
    connect(m_pTabs, &QTabWidget::currentChanged, pages[0].page, qOverload<>(&QWidget::update));
    m_pDisplayPage = &display;
    m_pClassic = &classic;
    m_pLog = &log;
    m_pStatusBar->SetLog(log.Book());
    connect(&m_publisher, &CDesktopPublisher::PublishingChanged, &display,
            [this, &display](bool on) {
                display.SetReadingHandler(on ? m_publisher.Handler() : nullptr);
            });
    connect(&m_publisher, &CDesktopPublisher::StateChanged, m_pStatusBar,
            &CStatusBar::ShowPublishing);
    connect(m_pClassic, &CClassicPage::SendLine, this, &CMainDlg::OnSendLine);
    connect(m_pClassic, &CClassicPage::SendEsc, this, &CMainDlg::OnSendEsc);
}

void CMainDlg::SetSimulationControls(std::vector<QWidget*> locked, QPushButton* pause)
{
    m_simulationLocked = std::move(locked);
    m_pPauseSimulation = pause;
    m_pPauseSimulation->setEnabled(false);
}

void CMainDlg::Start()
{
    show();
    OnConnect();
    OnGet();
    SetTooltips();
    m_pChanged->hide();
    m_timer.start(kTimerMs);
}

void CMainDlg::AddFileMenu(QMenuBar* bar, int saveLogId, int exitId)
{
    QMenu* file = bar->addMenu("File");
    AddMenuItem(file, "Save Log File", saveLogId, [this] { m_pLog->OnSaveLog(); });
    file->addSeparator();
    AddMenuItem(file, "Exit", exitId, &CMainDlg::reject);
}

void CMainDlg::AddConnectionMenu(QMenuBar* bar, int configurationId, int connectId,
                                 int disconnectId)
{
    QMenu* connection = bar->addMenu("Connection");
    AddMenuItem(connection, "COM Configuration", configurationId, &CMainDlg::OnComConfiguration);
    m_pConnect = AddMenuItem(connection, "Connect", connectId, &CMainDlg::OnConnect);
    m_pDisconnect = AddMenuItem(connection, "Disconnect", disconnectId, &CMainDlg::OnDisconnect);
    connection->addSeparator();
    AddReconnectItem(connection, m_reconnect);
    connect(connection, &QMenu::aboutToShow, this, &CMainDlg::UpdateConnectionMenu);
    UpdateConnectionMenu();
}

void CMainDlg::AddSimulationMenu(QMenuBar* bar, int startId, int stopId)
{
    QMenu* simulation = bar->addMenu("Simulation");
    AddMenuItem(simulation, "Start Simulation", startId, &CMainDlg::OnStartSimulation);
    AddMenuItem(simulation, "Stop Simulation", stopId, &CMainDlg::OnStopSimulation);
}

void CMainDlg::SetTooltip(QWidget* widget, const char* text)
{
    // Tooltips break their lines at line feeds.
    widget->setToolTip(QString(text).replace("\r\n", "\n"));
    widget->setToolTipDuration(kTooltipMs);
}

void CMainDlg::AddParameterRow(QGridLayout* grid, int row, const char* key,
                               std::initializer_list<QWidget*> widgets)
{
    constexpr int kColumns = 3;
    grid->addWidget(new QLabel(key), row, 0);
    int column = 1;
    for (QWidget* widget : widgets) {
        const bool last = widget == *std::prev(widgets.end());
        grid->addWidget(widget, row, column, 1, last ? kColumns + 1 - column : 1);
        ++column;
    }
}

QGridLayout* CMainDlg::ParameterButtons(QPushButton* get, QPushButton* set,
                                        std::initializer_list<QPushButton*> others)
{
    auto* buttons = new QGridLayout;
    buttons->addWidget(get, 0, 0);
    auto* setBox = new QHBoxLayout;
    setBox->addWidget(set, 1);
    m_pChanged->setMinimumWidth(m_pChanged->sizeHint().width());
    setBox->addWidget(m_pChanged);
    buttons->addLayout(setBox, 0, 1);
    int index = 2;
    for (QPushButton* button : others) {
        buttons->addWidget(button, index / 2, index % 2);
        ++index;
    }
    buttons->setColumnStretch(0, 1);
    buttons->setColumnStretch(1, 1);
    return buttons;
}

void CMainDlg::PlaceControls(QMenuBar* menu, QLayout* left, QLayout* right, QLayout* bottom)
{
    auto* grid = new QGridLayout(this);
    grid->setMenuBar(menu);
    grid->addLayout(left, 0, 0);
    grid->addWidget(m_pTabs, 0, 1);
    grid->addLayout(right, 0, 2);
    grid->addLayout(bottom, 1, 0, 1, 3);
    grid->addWidget(m_pStatusBar, 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
    // The pages keep the room they need; the parameter edits give way first.
    resize(1280, 700);
}

void CMainDlg::reject()
{
    m_sequence.StopRunning(CParameterSequence::Stop::DialogClosing);
    m_reconnect.Stop();
    EndSimulation();
    m_timer.stop();
    m_link.ClosePort();
    QDialog::reject();
}

void CMainDlg::keyPressEvent(QKeyEvent* event)
{
    if (IsDialogKey(*event)) {
        m_sequence.AfterSequence([this] { OnDialogKey(); });
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CMainDlg::OnConnect()
{
    if (g_bSimulation) {
        Message("Simulation mode Active\nPlease Stop Simulation first");
        return;
    }
    m_link.SetSettings(m_settings);
    if (m_link.OpenPort())
        CTerminalSettings().SetLastConnection(
            PortSettingsFrom(m_strFamily.toStdString(), m_settings));
    else
        Message(m_link.FailureText());
    UpdateConnectionMenu();
}

void CMainDlg::OnDisconnect()
{
    m_sequence.StopRunning(CParameterSequence::Stop::LinkClosing);
    m_reconnect.Stop();
    m_link.ClosePort();
    UpdateConnectionMenu();
}

void CMainDlg::UpdateConnectionMenu()
{
    m_pConnect->setEnabled(!g_bConnected);
    // The operator stops the tries of a reconnect with Disconnect.
    m_pDisconnect->setEnabled(g_bConnected || m_reconnect.Trying());
}

void CMainDlg::OnLost(const std::string& message)
{
    m_sequence.StopRunning(CParameterSequence::Stop::LinkClosing);
    // The tries go on while the message waits for the operator.
    m_reconnect.Lost();
    UpdateConnectionMenu();
    Message(message);
}

void CMainDlg::OnComConfiguration()
{
    COMDlg configuration(this);
    // Confirming without a change keeps this family: a Quorin operator is not sent to Zelnar.
    configuration.SetValues(PortSettingsFrom(PortSettings.device, m_settings));
    if (CUserDialogs::RunModal(configuration) != QDialog::Accepted)
        return;
    // The main dialog of the new settings takes this one's place: this one lets go of the
    // port first.
    m_sequence.StopRunning(CParameterSequence::Stop::DialogClosing);
    m_reconnect.Stop();
    EndSimulation();
    m_timer.stop();
    m_link.ClosePort();
    done(kReconfigured);
}

void CMainDlg::OnSendLine()
{
    m_sequence.AfterSequence([this, line = g_strReceived] {
        g_strReceived = line;
        SendTypedLine([this](std::string_view bytes) { Write(bytes); }, *m_pLog);
    });
}

void CMainDlg::OnSendEsc()
{
    m_sequence.AfterSequence([this] { Write(kEsc); });
}

void CMainDlg::RunAction(const CCommandAction& action)
{
    switch (action.kind) {
    case CommandKind::SimulatedRun:
        OnSimulatedRun();
        break;
    case CommandKind::SimulatedStop:
        OnSimulatedStop();
        break;
    case CommandKind::ShowMessage:
        Message(action.message);
        break;
    case CommandKind::Write:
        for (const CWriteStep& step : action.steps) {
            Write(step.bytes);
            Pause(step.pauseMs);
        }
        break;
    case CommandKind::Nothing:
        break;
    }
}

void CMainDlg::RunParameterCommand(const CParameterCommand& command)
{
    const auto readListing = [this] {
        if (!ShowListing(m_pClassic->Text()))
            return false;
        // Filling the controls has shown the indicator.
        m_pChanged->hide();
        return true;
    };
    const auto done = [this](const CParameterCommand& ended, bool wentThrough) {
        // Controls the record did not take still differ from it.
        if (!wentThrough && ended.takeControls)
            ShowChanged();
        CommandDone(ended, wentThrough);
    };
    m_sequence.Run(command, {[this] { ResetAlarms(); }, [this] { m_pClassic->ClearText(); },
                             readListing, done});
}

void CMainDlg::OnSave()
{
    if (IsBusy())
        return;
    const std::string text = ParameterFileText();
    const QString path =
        CUserDialogs::AskFileName(this, {true, ParameterFileName(), ParameterTexts::FileExtension,
                                         ParameterTexts::SaveFileType, kParametersFolder});
    if (path.isEmpty())
        return;
    if (!WriteFileReplacing(path.toStdString(), text))
        Message(ParameterTexts::CanNotSave);
}

void CMainDlg::OnLoad()
{
    if (IsBusy())
        return;
    const QString path = CUserDialogs::AskFileName(this, {false,
                                                          {},
                                                          ParameterTexts::FileExtension,
                                                          ParameterTexts::LoadFileType,
                                                          kParametersFolder});
    if (path.isEmpty())
        return;
    if (!ShowParameterFile(path.toStdString())) {
        Message(ParameterTexts::CanNotRead);
        return;
    }
    if (!g_bSimulation)
        OnSet();
}

void CMainDlg::OnAbout()
{
    CAboutDlg about(this);
    CUserDialogs::RunModal(about);
}

void CMainDlg::OnMqtt()
{
    CMqttOptionDlg options(m_publisher, this);
    CUserDialogs::RunModal(options);
}

void CMainDlg::OnStartSimulation()
{
    const bool wasActive = g_bSimulation;
    COscillationsDlg settings(this);
    CUserDialogs::RunModal(settings);
    if (!g_bSimulation)
        return;
    m_sequence.StopRunning(CParameterSequence::Stop::LinkClosing);
    Pause(100);
    m_link.ClosePort();
    UpdateConnectionMenu();
    PrepareSimulation(!wasActive);
    EnableSimulationControls(true);
    m_pChanged->hide();
}

void CMainDlg::OnStopSimulation()
{
    OnSimulatedStop();
    g_bSimulation = false;
    EnableSimulationControls(false);
}

void CMainDlg::OnPauseSimulation()
{
    m_pSimRun->Pause();
    m_simTimer.stop();
}

void CMainDlg::OnSimulatedRun()
{
    if (CSimulationRun::Running())
        return;
    const std::string refusal = m_pSimRun->Start();
    if (!refusal.empty())
        Message(refusal);
    if (CSimulationRun::Running())
        m_simTimer.start(m_nSimulationPaceMs >= 0 ? m_nSimulationPaceMs : m_pSimRun->LineWaitMs());
}

void CMainDlg::OnSimulatedStop()
{
    m_simTimer.stop();
    if (m_pSimRun->Stop())
        DeliverSimulatedLine();
}

void CMainDlg::OnSimulationTick()
{
    const CSimulationTick tick = m_pSimRun->Tick();
    if (tick.deliver)
        DeliverSimulatedLine();
    if (tick.ended)
        m_simTimer.stop();
}

void CMainDlg::DeliverSimulatedLine()
{
    emit SimulatedLine();
    // The line waits in the family's line variable. It is decoded at once and shown on the
    // timer as received lines are, so a fast run does not paint the page for every line.
    m_pDisplayPage->OnData();
}

void CMainDlg::EnableSimulationControls(bool simulating)
{
    for (QWidget* control : m_simulationLocked)
        control->setEnabled(!simulating);
    m_pPauseSimulation->setEnabled(simulating);
}

void CMainDlg::EndSimulation()
{
    // No line of a run may reach the pages once the dialog closes.
    m_simTimer.stop();
    ResetSimulationState();
    g_bSimRunning = false;
}

void CMainDlg::ShowChanged()
{
    m_pChanged->show();
}

void CMainDlg::Write(std::string_view bytes)
{
    m_reconnect.Wrote(bytes);
    m_link.WritePort(bytes.data(), static_cast<int>(bytes.size()));
}

void CMainDlg::Pause(int ms)
{
    if (ms <= 0)
        return;
    // The replies keep arriving and the dialog keeps drawing while the device takes a command.
    WaitWithEvents(ms);
}

void CMainDlg::Message(std::string_view text)
{
    CUserDialogs::ShowMessage(this,
                              QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

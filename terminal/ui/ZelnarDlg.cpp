#include "ZelnarDlg.h"

#include "AboutDlg.h"
#include "COMDlg.h"
#include "COscillationsDlg.h"
#include "ClassicZL.h"
#include "ColorStatic.h"
#include "ControlId.h"
#include "DialogKeys.h"
#include "DisplayZL.h"
#include "GraphZL.h"
#include "LogZL.h"
#include "PageTabCtrl.h"
#include "ParameterRecords.h"
#include "ParameterTexts.h"
#include "PortSettings.h"
#include "ReplacingFile.h"
#include "ReplyAssembly.h"
#include "TerminalState.h"
#include "UserDialogs.h"
#include "ZelnarDisplay.h"
#include "ZelnarParameterCommands.h"
#include "ZelnarParameterFile.h"

#include <QComboBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace {

struct CEditSpec
{
    int id;
    std::string CZelnarParameterControls::*field;
    const char* tooltip;
};

constexpr const char* kAlarmTips[] = {"Alarm Begin", "Alarm Width", "Alarm Hysteresis (0=No)",
                                      "Alarm Level"};

using Controls = CZelnarParameterControls;
const std::array<CEditSpec, 19> kEdits = {{
    {1022, &Controls::MF, "Measuring frequency [1-2000Hz]"},
    {1023, &Controls::SA, "Arithmetic Average [1-30000]"},
    {1024, &Controls::TDx, "Trigger Delay [0-300ms]"},
    {1025, &Controls::TDy, "Trigger Level: [0=H/L Flank  1=L/H Flank]"},
    {1034, &Controls::TDz,
     "Trigger Mode: 0:Single shot\r\n                       1:Single measurement"},
    {1026, &Controls::SF,
     "Scale Factor [-10 to -0.001 and 0.001 to 10]\r\nSF10:          dm\r\nSF1.0936:   "
     "Yard\r\nSF3.28084: feet\r\nSF0.3937:  100 inch"},
    {1027, &Controls::OF, "Offset value ( 0 point value )"},
    {1028, &Controls::MWx, "Begin of Measure Window"},
    {1029, &Controls::MWy, "End of Measure Window"},
    {1030, &Controls::Q1w, kAlarmTips[0]},
    {1031, &Controls::Q1x, kAlarmTips[1]},
    {1032, &Controls::Q1y, kAlarmTips[2]},
    {1033, &Controls::Q1z, kAlarmTips[3]},
    {1035, &Controls::Q2w, kAlarmTips[0]},
    {1036, &Controls::Q2x, kAlarmTips[1]},
    {1037, &Controls::Q2y, kAlarmTips[2]},
    {1038, &Controls::Q2z, kAlarmTips[3]},
    {1039, &Controls::QAx, "Analog Begin : 4mA"},
    {1040, &Controls::QAy, "Analog End : 20mA"},
}};

enum EditIndex
{
    MF,
    SA,
    TDx,
    TDy,
    TDz,
    SF,
    OF,
    MWx,
    MWy,
    Q1w,
    Q2w = Q1w + 4,
    QAx = Q2w + 4,
    QAy,
};

struct CComboSpec
{
    int id;
    int Controls::*field;
    ComboEntries entries;
    const char* tooltip;
};

const std::array<CComboSpec, 6> kCombos = {{
    {1018, &Controls::AS, ZelnarASEntries,
     "Autostart Function:\r\nID:Device Identification\r\nDM:Single Distance "
     "measurement\r\nDT:Continuous Distance measurement\r\nDF:Distance Measurement external "
     "trigger\r\nVM:Single speed measurement\r\nVT:Continuous speed measurement"},
    {1021, &Controls::SC, ZelnarSCEntries, "Parametrize Format of SSI Code (Optionnal)"},
    {1020, &Controls::SE, ZelnarSEEntries,
     "Error Mode:\r\n-0: Latest Value\r\n-1: QA=3mA    Q1,Q2=[(High if z=0) or(Low if "
     "z=1)]\r\n-2: QA=21mA  Q1,Q2=[(High if z=1) or(Low if z=0)]"},
    {1019, &Controls::PL, ZelnarPLEntries, "Set parameter for Pilot Laser"},
    {1041, &Controls::SDx, ZelnarSDxEntries, "Display Format"},
    {1042, &Controls::SDy, ZelnarSDyEntries, "Display Output Format"},
}};

struct CButtonSpec
{
    int id;
    const char* text;
    const char* tooltip; // nullptr: none
};

constexpr CButtonSpec kGet{1047, "Get", nullptr};
constexpr CButtonSpec kSet{1048, "Set", nullptr};
constexpr CButtonSpec kResetParam{1049, "Reset Param", "Reset all parameters (PR)"};
constexpr CButtonSpec kShowAll{1050, "Show All", "Show all parameters (PA)"};
constexpr CButtonSpec kLoad{1051, "Load", nullptr};
constexpr CButtonSpec kSave{1052, "Save", nullptr};
constexpr CButtonSpec kID{1064, "Device Identification (ID)", "Show Identification Number"};
constexpr CButtonSpec kHW{1065, "Hardware Diagnosis (HW)", "Show Hardware Characteristics"};
constexpr CButtonSpec kDT{1053, "DT", "Continuous distance Measurement"};
constexpr CButtonSpec kDM{1054, "DM", "Single Distance measurement"};
constexpr CButtonSpec kDF{1055, "DF", "Distance measurement with external trigger"};
constexpr CButtonSpec kPauseSimul{1060, "Pause Simul", nullptr};
constexpr CButtonSpec kVT{1056, "VT", "Continuous speed measurement"};
constexpr CButtonSpec kVM{1057, "VM", "Single speed measurement"};
constexpr CButtonSpec kDR{1058, "DR", "Trigger Cold Start"};
constexpr CButtonSpec kSO{1059, "SO", "Set current distance as offset"};
constexpr CButtonSpec kStop{1066, "STOP Acquisition (Esc)",
                            "Stop Measurement (Only required for DT and VT mode)"};

constexpr int kTooltipMs = 15000;

// Tooltips break their lines at line feeds.
QString TipText(const char* text)
{
    return QString(text).replace("\r\n", "\n");
}

QString FromStd(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

ZelnarDlg::ZelnarDlg(QWidget* parent)
    : QDialog(parent), m_pTabs(WithControlId(new CPageTabCtrl(this), 1011)),
      m_pDisplay(new DisplayZL), m_pGraph(new GraphZL), m_pClassic(new ClassicZL),
      m_pLog(new LogZL), m_pChanged(WithControlId(new CColorStatic("Set", this), 1166))
{
    setWindowTitle("Zelnar Terminal");
    m_pTabs->AddPage("Display", m_pDisplay, DisplayZL::kTemplateId);
    m_pTabs->AddPage("Graphic", m_pGraph, GraphZL::kTemplateId);
    m_pTabs->AddPage("Classic", m_pClassic, ClassicZL::kTemplateId);
    m_pTabs->AddPage("Log", m_pLog, LogZL::kTemplateId);
    m_pTabs->CreatePages();
    connect(m_pTabs, &QTabWidget::currentChanged, m_pDisplay, qOverload<>(&QWidget::update));

    g_bConnected = false;
    m_settings = LinkSettingsFrom(PortSettings);
    ResetSimulationState();

    BuildLayout();
    m_pChanged->SetTextColor(QColor(255, 0, 0));
    m_pChanged->hide();
    g_nLineCount = 0;
    g_nLogLines = 0;

    m_link.SetReceiver([this](std::string_view chunk) { OnReceived(chunk); });
    m_link.SetLostHandler([this](const std::string& message) { OnLost(message); });
    connect(m_pClassic, &ClassicZL::SendLine, this, &ZelnarDlg::OnSendLine);
    connect(m_pClassic, &ClassicZL::SendEsc, this, &ZelnarDlg::OnSendEsc);
    connect(&m_timer, &QTimer::timeout, m_pDisplay, &DisplayZL::ShowPending);
    connect(&m_timer, &QTimer::timeout, m_pGraph, &GraphZL::RedrawGraphs);
    m_simTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_simTimer, &QTimer::timeout, this, &ZelnarDlg::OnSimulationTick);
    connect(m_pDisplay, &DisplayZL::RedrawGraphs, m_pGraph, &GraphZL::RedrawGraphs);
}

ZelnarDlg::~ZelnarDlg()
{
    m_link.ClosePort();
}

void ZelnarDlg::Start()
{
    show();
    OnConnect();
    OnGet();
    SetTooltips();
    m_pChanged->hide();
    m_timer.start(100);
}

void ZelnarDlg::BuildLayout()
{
    const auto button = [this](const CButtonSpec& spec, auto handler) {
        auto* pushButton = WithControlId(new QPushButton(spec.text, this), spec.id);
        // Enter belongs to the dialog: it stops the acquisition.
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, handler);
        return pushButton;
    };
    const auto command = [this](ZelnarCommand which) {
        return [this, which] { OnCommand(which); };
    };

    for (const CComboSpec& spec : kCombos) {
        auto* box = WithControlId(new QComboBox(this), spec.id);
        for (const char* entry : spec.entries)
            box->addItem(entry);
        box->setCurrentIndex(-1);
        connect(box, &QComboBox::currentIndexChanged, this, &ZelnarDlg::ShowChanged);
    }
    m_pAS = FindControl<QComboBox>(this, 1018);
    m_pSC = FindControl<QComboBox>(this, 1021);
    m_pSE = FindControl<QComboBox>(this, 1020);
    m_pPL = FindControl<QComboBox>(this, 1019);
    m_pSDx = FindControl<QComboBox>(this, 1041);
    m_pSDy = FindControl<QComboBox>(this, 1042);
    for (const CEditSpec& spec : kEdits) {
        auto* edit = WithControlId(new QLineEdit(this), spec.id);
        edit->setMinimumWidth(70);
        connect(edit, &QLineEdit::textChanged, this, &ZelnarDlg::ShowChanged);
        m_edits.push_back(edit);
    }

    auto* general = new QGroupBox("General", this);
    auto* generalGrid = new QGridLayout(general);
    const auto row = [](QGridLayout* grid, int r, const char* key, QWidget* a, QWidget* b = nullptr,
                        QWidget* c = nullptr) {
        grid->addWidget(new QLabel(key), r, 0);
        grid->addWidget(a, r, 1, 1, b ? 1 : 3);
        if (b)
            grid->addWidget(b, r, 2, 1, c ? 1 : 2);
        if (c)
            grid->addWidget(c, r, 3);
    };
    row(generalGrid, 0, "AS", m_pAS);
    row(generalGrid, 1, "SC", m_pSC);
    row(generalGrid, 2, "SE", m_pSE);
    row(generalGrid, 3, "PL", m_pPL);
    row(generalGrid, 4, "SD", m_pSDx, m_pSDy);

    auto* timing = new QGroupBox("Timing", this);
    auto* timingGrid = new QGridLayout(timing);
    row(timingGrid, 0, "MF", m_edits[MF]);
    row(timingGrid, 1, "SA", m_edits[SA]);
    row(timingGrid, 2, "TD", m_edits[TDx], m_edits[TDy], m_edits[TDz]);

    auto* measuring = new QGroupBox("Measuring", this);
    auto* measuringGrid = new QGridLayout(measuring);
    row(measuringGrid, 0, "SF", m_edits[SF]);
    row(measuringGrid, 1, "OF", m_edits[OF]);
    row(measuringGrid, 2, "MW", m_edits[MWx], m_edits[MWy]);

    auto* parameterButtons = new QGridLayout;
    parameterButtons->addWidget(button(kGet, &ZelnarDlg::OnGet), 0, 0);
    auto* setBox = new QHBoxLayout;
    setBox->addWidget(button(kSet, &ZelnarDlg::OnSet), 1);
    m_pChanged->setMinimumWidth(m_pChanged->sizeHint().width());
    setBox->addWidget(m_pChanged);
    parameterButtons->addLayout(setBox, 0, 1);
    parameterButtons->addWidget(button(kResetParam, &ZelnarDlg::OnResetParam), 1, 0);
    parameterButtons->addWidget(button(kShowAll, &ZelnarDlg::OnShowAll), 1, 1);
    parameterButtons->addWidget(button(kLoad, &ZelnarDlg::OnLoad), 2, 0);
    parameterButtons->addWidget(button(kSave, &ZelnarDlg::OnSave), 2, 1);
    parameterButtons->setColumnStretch(0, 1);
    parameterButtons->setColumnStretch(1, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(general);
    left->addWidget(timing);
    left->addWidget(measuring);
    left->addLayout(parameterButtons);
    left->addStretch(1);

    auto* information = new QGroupBox("Device Information", this);
    auto* informationBox = new QVBoxLayout(information);
    informationBox->addWidget(button(kID, command(ZelnarCommand::ID)));
    informationBox->addWidget(button(kHW, command(ZelnarCommand::HW)));

    auto* commands = new QGroupBox("Command", this);
    auto* commandGrid = new QGridLayout(commands);
    commandGrid->addWidget(button(kDT, command(ZelnarCommand::DT)), 0, 0);
    commandGrid->addWidget(button(kDM, command(ZelnarCommand::DM)), 0, 1);
    commandGrid->addWidget(button(kDF, command(ZelnarCommand::DF)), 1, 0);
    auto* pauseSimul = button(kPauseSimul, &ZelnarDlg::OnPauseSimulation);
    pauseSimul->setEnabled(false);
    commandGrid->addWidget(pauseSimul, 1, 1);
    commandGrid->addWidget(button(kVT, command(ZelnarCommand::VT)), 2, 0);
    commandGrid->addWidget(button(kVM, command(ZelnarCommand::VM)), 2, 1);
    commandGrid->addWidget(button(kDR, command(ZelnarCommand::DR)), 3, 0);
    commandGrid->addWidget(button(kSO, command(ZelnarCommand::SO)), 3, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(information);
    right->addWidget(commands);
    auto* stop = button(kStop, command(ZelnarCommand::Stop));
    stop->setMinimumHeight(48);
    right->addWidget(stop);
    right->addStretch(1);

    auto* alarms = new QGroupBox("Alarms Q1, Q2", this);
    auto* alarmGrid = new QGridLayout(alarms);
    const char* alarmHeads[] = {"w point", "x size", "y size", "z value"};
    for (int column = 0; column < 4; ++column) {
        alarmGrid->addWidget(new QLabel(alarmHeads[column]), 0, column + 1, Qt::AlignHCenter);
        alarmGrid->addWidget(m_edits[Q1w + column], 1, column + 1);
        alarmGrid->addWidget(m_edits[Q2w + column], 2, column + 1);
    }
    alarmGrid->addWidget(new QLabel("Q1"), 1, 0);
    alarmGrid->addWidget(new QLabel("Q2"), 2, 0);

    auto* analog = new QGroupBox("Analog Output (QA)", this);
    auto* analogGrid = new QGridLayout(analog);
    analogGrid->addWidget(new QLabel("x point"), 0, 1, Qt::AlignHCenter);
    analogGrid->addWidget(new QLabel("y point"), 0, 2, Qt::AlignHCenter);
    analogGrid->addWidget(new QLabel("QA"), 1, 0);
    analogGrid->addWidget(m_edits[QAx], 1, 1);
    analogGrid->addWidget(m_edits[QAy], 1, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(alarms, 3);
    bottom->addWidget(analog, 2);

    auto* grid = new QGridLayout(this);
    grid->setMenuBar(BuildMenu());
    grid->addLayout(left, 0, 0);
    grid->addWidget(m_pTabs, 0, 1);
    grid->addLayout(right, 0, 2);
    grid->addLayout(bottom, 1, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
    m_pTabs->setMinimumSize(420, 300);
    resize(1280, 700);
}

QMenuBar* ZelnarDlg::BuildMenu()
{
    auto* bar = new QMenuBar(this);
    const auto item = [this](QMenu* menu, const char* text, int id, auto handler) {
        QAction* action = WithControlId(menu->addAction(text), id);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    const auto command = [this](ZelnarCommand which) {
        return [this, which] { OnCommand(which); };
    };

    QMenu* file = bar->addMenu("File");
    item(file, "Save Log File", 32774, [this] { m_pLog->OnSaveLog(); });
    file->addSeparator();
    file->addSeparator();
    item(file, "Exit", 32779, &ZelnarDlg::reject);

    QMenu* connection = bar->addMenu("Connection");
    item(connection, "COM Configuration", 32771, &ZelnarDlg::OnComConfiguration);
    m_pConnect = item(connection, "Connect", 32772, &ZelnarDlg::OnConnect);
    m_pDisconnect = item(connection, "Disconnect", 32773, &ZelnarDlg::OnDisconnect);
    connect(connection, &QMenu::aboutToShow, this, &ZelnarDlg::UpdateConnectionMenu);

    QMenu* parameter = bar->addMenu("Parameter");
    item(parameter, "Get From Telvan", 32780, &ZelnarDlg::OnGet);
    item(parameter, "Set To Telvan", 32781, &ZelnarDlg::OnSet);
    item(parameter, "Load Parameters", 32782, &ZelnarDlg::OnLoad);
    item(parameter, "Save Parameters", 32783, &ZelnarDlg::OnSave);
    item(parameter, "Reset All Parameters", 32784, &ZelnarDlg::OnResetParam);
    item(parameter, "Show All Parameters", 32785, &ZelnarDlg::OnShowAll);

    QMenu* commands = bar->addMenu("Command");
    item(commands, "Distance Tracking (DT)", 32786, command(ZelnarCommand::DT));
    item(commands, "Single Distance Measurement (DM)", 32788, command(ZelnarCommand::DM));
    item(commands, "Distance Tracking with Trigger (DF)", 32787, command(ZelnarCommand::DF));
    item(commands, "Speed Tracking (VT)", 32789, command(ZelnarCommand::VT));
    item(commands, "Single Speed Measurement (VM)", 32790, command(ZelnarCommand::VM));
    item(commands, "Cold Start (DR)", 32791, command(ZelnarCommand::DR));
    item(commands, "Set Offset (SO)", 32792, command(ZelnarCommand::SO));
    item(commands, "Internal Temperature (TP)", 32793, command(ZelnarCommand::TP));

    QMenu* option = bar->addMenu("Option");
    item(option, "Device Identification", 32795, command(ZelnarCommand::ID));
    item(option, "Hardware Diagnosis", 32796, command(ZelnarCommand::HW));

    QMenu* simulation = bar->addMenu("Simulation");
    item(simulation, "Start Simulation", 32798, &ZelnarDlg::OnStartSimulation);
    item(simulation, "Stop Simulation", 32799, &ZelnarDlg::OnStopSimulation);

    QMenu* about = bar->addMenu("About");
    item(about, "Terminal", 32802, &ZelnarDlg::OnAbout);
    UpdateConnectionMenu();
    return bar;
}

void ZelnarDlg::SetTooltips()
{
    for (const CEditSpec& spec : kEdits) {
        QWidget* edit = FindControl<QLineEdit>(this, spec.id);
        edit->setToolTip(TipText(spec.tooltip));
        edit->setToolTipDuration(kTooltipMs);
    }
    for (const CComboSpec& spec : kCombos) {
        QWidget* box = FindControl<QComboBox>(this, spec.id);
        box->setToolTip(TipText(spec.tooltip));
        box->setToolTipDuration(kTooltipMs);
    }
    for (const CButtonSpec* spec :
         {&kResetParam, &kShowAll, &kID, &kHW, &kDT, &kDM, &kDF, &kVT, &kVM, &kDR, &kSO, &kStop}) {
        QWidget* pushButton = FindControl<QPushButton>(this, spec->id);
        pushButton->setToolTip(TipText(spec->tooltip));
        pushButton->setToolTipDuration(kTooltipMs);
    }
}

void ZelnarDlg::reject()
{
    EndSimulation();
    m_timer.stop();
    m_link.ClosePort();
    QDialog::reject();
}

void ZelnarDlg::keyPressEvent(QKeyEvent* event)
{
    if (IsDialogKey(*event)) {
        OnCommand(ZelnarCommand::Stop);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ZelnarDlg::OnConnect()
{
    if (g_bSimulation) {
        Message("Simulation mode Active\nPlease Stop Simulation first");
        return;
    }
    m_link.SetSettings(m_settings);
    if (!m_link.OpenPort())
        Message(QString::fromStdString(m_link.FailureText()));
    UpdateConnectionMenu();
}

void ZelnarDlg::OnDisconnect()
{
    m_link.ClosePort();
    UpdateConnectionMenu();
}

void ZelnarDlg::UpdateConnectionMenu()
{
    m_pConnect->setEnabled(!g_bConnected);
    m_pDisconnect->setEnabled(g_bConnected);
}

void ZelnarDlg::OnLost(const std::string& message)
{
    UpdateConnectionMenu();
    Message(QString::fromStdString(message));
}

void ZelnarDlg::OnComConfiguration()
{
    COMDlg configuration(this);
    CPortSettings current;
    current.comPort = m_settings.portName;
    current.baudRate = std::to_string(m_settings.baudRate);
    current.dataBits = std::to_string(m_settings.dataBits);
    current.parityIndex = m_settings.parityIndex;
    current.stopBitsIndex = m_settings.stopBitsIndex;
    configuration.SetValues(current);
    if (CUserDialogs::RunModal(configuration) != QDialog::Accepted)
        return;
    // The main dialog of the new settings takes this one's place: this one lets go of the
    // port first.
    EndSimulation();
    m_timer.stop();
    m_link.ClosePort();
    done(kReconfigured);
}

void ZelnarDlg::OnReceived(std::string_view chunk)
{
    DispatchZelnarReply(chunk, {*m_pLog, *m_pClassic, *m_pDisplay});
}

void ZelnarDlg::OnCommand(ZelnarCommand command)
{
    if (m_bBusy)
        return;
    const CCommandAction action = ZelnarCommandAction(command);
    if (action.kind == CommandKind::SimulatedRun)
        OnSimulatedRun();
    if (action.kind == CommandKind::SimulatedStop)
        OnSimulatedStop();
    if (action.kind == CommandKind::ShowMessage)
        Message(FromStd(std::string(action.message)));
    if (action.kind != CommandKind::Write)
        return;
    for (const CWriteStep& step : action.steps) {
        Write(step.bytes);
        Pause(step.pauseMs);
    }
}

void ZelnarDlg::OnSendLine()
{
    SendTypedLine([this](std::string_view bytes) { Write(bytes); }, *m_pLog);
}

void ZelnarDlg::OnSendEsc()
{
    Write(kEsc);
}

void ZelnarDlg::OnGet()
{
    RunParameterCommand(ZelnarGet(ZelnarParameters));
}

void ZelnarDlg::OnSet()
{
    if (m_bBusy)
        return;
    m_pChanged->hide();
    RunParameterCommand(ZelnarSet(Controls(), ZelnarParameters));
}

void ZelnarDlg::OnResetParam()
{
    RunParameterCommand(ZelnarResetParam(ZelnarParameters));
}

void ZelnarDlg::OnShowAll()
{
    RunParameterCommand(ZelnarShowAll(Controls(), ZelnarParameters));
}

void ZelnarDlg::OnSave()
{
    if (m_bBusy)
        return;
    const std::string text = SaveZelnarParameters(Controls(), ZelnarParameters);
    const QString path = CUserDialogs::AskFileName(this, {true, ParameterTexts::ZelnarFileName,
                                                          ParameterTexts::FileExtension,
                                                          ParameterTexts::SaveFileType});
    if (path.isEmpty())
        return;
    if (!WriteFileReplacing(path.toStdString(), text))
        Message(ParameterTexts::CanNotSave);
}

void ZelnarDlg::OnLoad()
{
    if (m_bBusy)
        return;
    const QString path = CUserDialogs::AskFileName(
        this, {false, {}, ParameterTexts::FileExtension, ParameterTexts::LoadFileType});
    if (path.isEmpty())
        return;
    const auto controls = LoadZelnarParameterFile(path.toStdString(), ZelnarParameters);
    if (!controls) {
        Message(ParameterTexts::CanNotRead);
        return;
    }
    ShowControls(*controls);
    if (!g_bSimulation)
        OnSet();
}

void ZelnarDlg::OnAbout()
{
    CAboutDlg about(this);
    CUserDialogs::RunModal(about);
}

void ZelnarDlg::OnStartSimulation()
{
    const bool wasActive = g_bSimulation;
    COscillationsDlg settings(this);
    CUserDialogs::RunModal(settings);
    if (!g_bSimulation)
        return;
    Pause(100);
    m_link.ClosePort();
    UpdateConnectionMenu();
    if (!wasActive) {
        CZelnarParameterControls controls = Controls();
        LoadZelnarDemonstration(controls, ZelnarParameters);
        ShowControls(controls);
    }
    EnableSimulationControls(true);
    m_pChanged->hide();
}

void ZelnarDlg::OnStopSimulation()
{
    OnSimulatedStop();
    g_bSimulation = false;
    EnableSimulationControls(false);
}

void ZelnarDlg::OnPauseSimulation()
{
    m_simRun.Pause();
    m_simTimer.stop();
}

void ZelnarDlg::OnSimulatedRun()
{
    if (CSimulationRun::Running())
        return;
    const std::string refusal = m_simRun.Start();
    if (!refusal.empty())
        Message(FromStd(refusal));
    if (CSimulationRun::Running())
        m_simTimer.start(m_simRun.LineWaitMs());
}

void ZelnarDlg::OnSimulatedStop()
{
    m_simTimer.stop();
    if (m_simRun.Stop())
        m_pDisplay->OnData();
}

void ZelnarDlg::OnSimulationTick()
{
    const CSimulationTick tick = m_simRun.Tick();
    if (tick.deliver)
        m_pDisplay->OnData();
    if (tick.ended)
        m_simTimer.stop();
}

void ZelnarDlg::EnableSimulationControls(bool simulating)
{
    for (int id : {kGet.id, kShowAll.id, kResetParam.id, kID.id, kHW.id, kDM.id, kDF.id, kVT.id,
                   kVM.id, kDR.id, kSO.id})
        FindControl<QPushButton>(this, id)->setEnabled(!simulating);
    m_pSDx->setEnabled(!simulating);
    FindControl<QPushButton>(this, kPauseSimul.id)->setEnabled(simulating);
}

void ZelnarDlg::EndSimulation()
{
    // No line of a run may reach the pages once the dialog closes.
    m_simTimer.stop();
    ResetSimulationState();
    g_bSimRunning = false;
}

void ZelnarDlg::RunParameterCommand(const CParameterCommand& command)
{
    if (m_bBusy)
        return;
    m_bBusy = true;
    if (command.resetAlarms)
        g_DisplayZL.ResetAlarms();
    if (!command.refusal.empty()) {
        Message(FromStd(command.refusal));
        m_bBusy = false;
        return;
    }
    for (const std::string& warning : command.warnings)
        Message(FromStd(warning));
    for (const CCommandStep& step : command.steps) {
        Write(step.bytes);
        Pause(step.pauseMs);
        if (step.clearTerminalAfter)
            m_pClassic->ClearText();
    }
    if (!command.message.empty())
        Message(FromStd(command.message));
    if (command.readsListing)
        OnParamsRead(ZelnarGetDone(m_pClassic->Text(), ZelnarParameters));
    ZelnarCommandDone(command, ZelnarParameters);
    m_bBusy = false;
}

void ZelnarDlg::OnParamsRead(const CZelnarParameterControls& controls)
{
    ShowControls(controls);
    m_pChanged->hide();
}

CZelnarParameterControls ZelnarDlg::Controls() const
{
    CZelnarParameterControls controls;
    for (std::size_t i = 0; i < kEdits.size(); ++i)
        controls.*kEdits[i].field = m_edits[i]->text().toLatin1().toStdString();
    for (const CComboSpec& spec : kCombos)
        controls.*spec.field = FindControl<QComboBox>(this, spec.id)->currentIndex();
    return controls;
}

void ZelnarDlg::ShowControls(const CZelnarParameterControls& controls)
{
    for (std::size_t i = 0; i < kEdits.size(); ++i)
        m_edits[i]->setText(FromStd(controls.*kEdits[i].field));
    for (const CComboSpec& spec : kCombos)
        FindControl<QComboBox>(this, spec.id)->setCurrentIndex(controls.*spec.field);
}

void ZelnarDlg::ShowChanged()
{
    m_pChanged->show();
}

void ZelnarDlg::Write(std::string_view bytes)
{
    m_link.WritePort(bytes.data(), static_cast<int>(bytes.size()));
}

void ZelnarDlg::Pause(int ms)
{
    if (ms <= 0)
        return;
    // The replies keep arriving and the dialog keeps drawing while the device takes a command.
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void ZelnarDlg::Message(const QString& text)
{
    CUserDialogs::ShowMessage(this, text);
}

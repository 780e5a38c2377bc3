#include "ZelnarDlg.h"

#include "ClassicZL.h"
#include "ColorStatic.h"
#include "DisplayZL.h"
#include "GraphZL.h"
#include "LogZL.h"
#include "ParameterRecords.h"
#include "ParameterTexts.h"
#include "ReplyAssembly.h"
#include "ZelnarDisplay.h"
#include "ZelnarParameterCommands.h"
#include "ZelnarParameterFile.h"
#include "ZelnarSimulationRun.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

namespace {

constexpr const char* kAlarmTips[] = {"Alarm Begin", "Alarm Width", "Alarm Hysteresis (0=No)",
                                      "Alarm Level"};

using Controls = CZelnarParameterControls;
const std::array<TEditSpec<Controls>, 19> kEdits = {{
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

// Indices into kCombos and kEdits.
enum ComboIndex
{
    AS,
    SC,
    SE,
    PL,
    SDx,
    SDy,
};

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

const std::array<TComboSpec<Controls>, 6> kCombos = {{
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

} // namespace

ZelnarDlg::ZelnarDlg(QWidget* parent)
    : CMainDlg("Zelnar", std::make_unique<CZelnarSimulationRun>(), 1166, parent),
      m_pDisplay(new DisplayZL), m_pGraph(new GraphZL), m_pClassic(new ClassicZL),
      m_pLog(new LogZL), m_parameters(kEdits, kCombos)
{
    setWindowTitle("Zelnar Terminal");
    SetPages({{{"Display", m_pDisplay, DisplayZL::kTemplateId},
               {"Graphic", m_pGraph, GraphZL::kTemplateId},
               {"Classic", m_pClassic, ClassicZL::kTemplateId},
               {"Log", m_pLog, LogZL::kTemplateId}}},
             *m_pDisplay, *m_pClassic, *m_pLog);
    BuildLayout();
    connect(m_pDisplay, &DisplayZL::RedrawGraphs, m_pGraph, &GraphZL::RedrawGraphs);
}

void ZelnarDlg::BuildLayout()
{
    const auto command = [this](ZelnarCommand which) {
        return [this, which] { OnCommand(which); };
    };
    m_parameters.Create(this, [this] { ShowChanged(); });

    auto* general = new QGroupBox("General", this);
    auto* generalGrid = new QGridLayout(general);
    AddParameterRow(generalGrid, 0, "AS", {m_parameters.Combo(AS)});
    AddParameterRow(generalGrid, 1, "SC", {m_parameters.Combo(SC)});
    AddParameterRow(generalGrid, 2, "SE", {m_parameters.Combo(SE)});
    AddParameterRow(generalGrid, 3, "PL", {m_parameters.Combo(PL)});
    AddParameterRow(generalGrid, 4, "SD", {m_parameters.Combo(SDx), m_parameters.Combo(SDy)});

    auto* timing = new QGroupBox("Timing", this);
    auto* timingGrid = new QGridLayout(timing);
    AddParameterRow(timingGrid, 0, "MF", {m_parameters.Edit(MF)});
    AddParameterRow(timingGrid, 1, "SA", {m_parameters.Edit(SA)});
    AddParameterRow(timingGrid, 2, "TD",
                    {m_parameters.Edit(TDx), m_parameters.Edit(TDy), m_parameters.Edit(TDz)});

    auto* measuring = new QGroupBox("Measuring", this);
    auto* measuringGrid = new QGridLayout(measuring);
    AddParameterRow(measuringGrid, 0, "SF", {m_parameters.Edit(SF)});
    AddParameterRow(measuringGrid, 1, "OF", {m_parameters.Edit(OF)});
    AddParameterRow(measuringGrid, 2, "MW", {m_parameters.Edit(MWx), m_parameters.Edit(MWy)});

    auto* left = new QVBoxLayout;
    left->addWidget(general);
    left->addWidget(timing);
    left->addWidget(measuring);
    left->addLayout(ParameterButtons(
        AddButton(kGet, &ZelnarDlg::OnGet), AddButton(kSet, &ZelnarDlg::OnSet),
        {AddButton(kResetParam, &ZelnarDlg::OnResetParam),
         AddButton(kShowAll, &ZelnarDlg::OnShowAll), AddButton(kLoad, &ZelnarDlg::OnLoad),
         AddButton(kSave, &ZelnarDlg::OnSave)}));
    left->addStretch(1);

    auto* information = new QGroupBox("Device Information", this);
    auto* informationBox = new QVBoxLayout(information);
    informationBox->addWidget(AddButton(kID, command(ZelnarCommand::ID)));
    informationBox->addWidget(AddButton(kHW, command(ZelnarCommand::HW)));

    auto* commands = new QGroupBox("Command", this);
    auto* commandGrid = new QGridLayout(commands);
    commandGrid->addWidget(AddButton(kDT, command(ZelnarCommand::DT)), 0, 0);
    commandGrid->addWidget(AddButton(kDM, command(ZelnarCommand::DM)), 0, 1);
    commandGrid->addWidget(AddButton(kDF, command(ZelnarCommand::DF)), 1, 0);
    auto* pauseSimul = AddButton(kPauseSimul, &ZelnarDlg::OnPauseSimulation);
    commandGrid->addWidget(pauseSimul, 1, 1);
    commandGrid->addWidget(AddButton(kVT, command(ZelnarCommand::VT)), 2, 0);
    commandGrid->addWidget(AddButton(kVM, command(ZelnarCommand::VM)), 2, 1);
    commandGrid->addWidget(AddButton(kDR, command(ZelnarCommand::DR)), 3, 0);
    commandGrid->addWidget(AddButton(kSO, command(ZelnarCommand::SO)), 3, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(information);
    right->addWidget(commands);
    auto* stop = AddButton(kStop, command(ZelnarCommand::Stop));
    stop->setMinimumHeight(48);
    right->addWidget(stop);
    right->addStretch(1);

    auto* alarms = new QGroupBox("Alarms Q1, Q2", this);
    auto* alarmGrid = new QGridLayout(alarms);
    const char* alarmHeads[] = {"w point", "x size", "y size", "z value"};
    for (int column = 0; column < 4; ++column) {
        alarmGrid->addWidget(new QLabel(alarmHeads[column]), 0, column + 1, Qt::AlignHCenter);
        alarmGrid->addWidget(m_parameters.Edit(Q1w + column), 1, column + 1);
        alarmGrid->addWidget(m_parameters.Edit(Q2w + column), 2, column + 1);
    }
    alarmGrid->addWidget(new QLabel("Q1"), 1, 0);
    alarmGrid->addWidget(new QLabel("Q2"), 2, 0);

    auto* analog = new QGroupBox("Analog Output (QA)", this);
    auto* analogGrid = new QGridLayout(analog);
    analogGrid->addWidget(new QLabel("x point"), 0, 1, Qt::AlignHCenter);
    analogGrid->addWidget(new QLabel("y point"), 0, 2, Qt::AlignHCenter);
    analogGrid->addWidget(new QLabel("QA"), 1, 0);
    analogGrid->addWidget(m_parameters.Edit(QAx), 1, 1);
    analogGrid->addWidget(m_parameters.Edit(QAy), 1, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(alarms, 3);
    bottom->addWidget(analog, 2);

    PlaceControls(BuildMenu(), left, right, bottom);

    std::vector<QWidget*> locked;
    for (const CButtonSpec* spec :
         {&kGet, &kShowAll, &kResetParam, &kID, &kHW, &kDM, &kDF, &kVT, &kVM, &kDR, &kSO})
        locked.push_back(OwnControl<QPushButton>(spec->id));
    locked.push_back(m_parameters.Combo(SDx));
    SetSimulationControls(std::move(locked), pauseSimul);
}

QMenuBar* ZelnarDlg::BuildMenu()
{
    auto* bar = new QMenuBar(this);
    const auto command = [this](ZelnarCommand which) {
        return [this, which] { OnCommand(which); };
    };
    AddFileMenu(bar, 32774, 32779);
    AddConnectionMenu(bar, 32771, 32772, 32773);

    QMenu* parameter = bar->addMenu("Parameter");
    AddMenuItem(parameter, "Get From Telvan", 32780, &ZelnarDlg::OnGet);
    AddMenuItem(parameter, "Set To Telvan", 32781, &ZelnarDlg::OnSet);
    AddMenuItem(parameter, "Load Parameters", 32782, &ZelnarDlg::OnLoad);
    AddMenuItem(parameter, "Save Parameters", 32783, &ZelnarDlg::OnSave);
    AddMenuItem(parameter, "Reset All Parameters", 32784, &ZelnarDlg::OnResetParam);
    AddMenuItem(parameter, "Show All Parameters", 32785, &ZelnarDlg::OnShowAll);

    QMenu* commands = bar->addMenu("Command");
    AddMenuItem(commands, "Distance Tracking (DT)", 32786, command(ZelnarCommand::DT));
    AddMenuItem(commands, "Single Distance Measurement (DM)", 32788, command(ZelnarCommand::DM));
    AddMenuItem(commands, "Distance Tracking with Trigger (DF)", 32787, command(ZelnarCommand::DF));
    AddMenuItem(commands, "Speed Tracking (VT)", 32789, command(ZelnarCommand::VT));
    AddMenuItem(commands, "Single Speed Measurement (VM)", 32790, command(ZelnarCommand::VM));
    AddMenuItem(commands, "Cold Start (DR)", 32791, command(ZelnarCommand::DR));
    AddMenuItem(commands, "Set Offset (SO)", 32792, command(ZelnarCommand::SO));
    AddMenuItem(commands, "Internal Temperature (TP)", 32793, command(ZelnarCommand::TP));

    QMenu* option = bar->addMenu("Option");
    AddMenuItem(option, "Device Identification", 32795, command(ZelnarCommand::ID));
    AddMenuItem(option, "Hardware Diagnosis", 32796, command(ZelnarCommand::HW));
    AddMenuItem(option, "MQTT…", kMqttMenuId, &ZelnarDlg::OnMqtt);

    AddSimulationMenu(bar, 32798, 32799);
    AddMenuItem(bar->addMenu("About"), "Terminal", 32802, &ZelnarDlg::OnAbout);
    return bar;
}

void ZelnarDlg::SetTooltips()
{
    m_parameters.ForEachTooltip(&CMainDlg::SetTooltip);
    for (const CButtonSpec* spec :
         {&kResetParam, &kShowAll, &kID, &kHW, &kDT, &kDM, &kDF, &kVT, &kVM, &kDR, &kSO, &kStop})
        SetTooltip(OwnControl<QPushButton>(spec->id), spec->tooltip);
}

void ZelnarDlg::DispatchReply(std::string_view chunk)
{
    DispatchZelnarReply(chunk, {*m_pLog, *m_pClassic, *m_pDisplay});
}

void ZelnarDlg::OnTimer()
{
    m_pGraph->RedrawGraphs();
}

void ZelnarDlg::OnDialogKey()
{
    OnCommand(ZelnarCommand::Stop);
}

void ZelnarDlg::OnCommand(ZelnarCommand command)
{
    if (!IsBusy())
        RunAction(ZelnarCommandAction(command));
}

void ZelnarDlg::OnGet()
{
    RunParameterCommand(ZelnarGet(ZelnarParameters));
}

void ZelnarDlg::OnSet()
{
    if (IsBusy())
        return;
    CZelnarParameterControls controls = Controls();
    const CParameterCommand command = ZelnarSet(controls, ZelnarParameters);
    // An alarm group that is not sent shows what the device keeps.
    m_parameters.Show(controls);
    m_pChanged->hide();
    RunParameterCommand(command);
}

void ZelnarDlg::OnResetParam()
{
    RunParameterCommand(ZelnarResetParam(ZelnarParameters));
}

void ZelnarDlg::OnShowAll()
{
    RunParameterCommand(ZelnarShowAll(Controls(), ZelnarParameters));
}

void ZelnarDlg::ResetAlarms()
{
    g_DisplayZL.ResetAlarms();
}

bool ZelnarDlg::ShowListing(const std::string& listing)
{
    const auto controls = ZelnarGetDone(listing, ZelnarParameters);
    if (controls)
        m_parameters.Show(*controls);
    return controls.has_value();
}

void ZelnarDlg::CommandDone(const CParameterCommand& command, bool wentThrough)
{
    ZelnarCommandDone(command, wentThrough, ZelnarParameters);
}

std::string ZelnarDlg::ParameterFileText()
{
    return SaveZelnarParameters(Controls(), ZelnarParameters);
}

const char* ZelnarDlg::ParameterFileName() const
{
    return ParameterTexts::ZelnarFileName;
}

bool ZelnarDlg::ShowParameterFile(const std::string& path)
{
    auto controls = LoadZelnarParameterFile(path, ZelnarParameters);
    if (!controls)
        return false;
    KeepSimulationLocks(*controls, Controls());
    m_parameters.Show(*controls);
    return true;
}

void ZelnarDlg::PrepareSimulation(bool firstStart)
{
    if (!firstStart)
        return;
    CZelnarParameterControls controls = Controls();
    LoadZelnarDemonstration(controls, ZelnarParameters);
    m_parameters.Show(controls);
}

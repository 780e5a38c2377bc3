#include "QuorinDlg.h"

#include "ClassicQR.h"
#include "ColorStatic.h"
#include "DisplayQR.h"
#include "GraphQR.h"
#include "LogQR.h"
#include "ParameterTexts.h"
#include "QuorinDisplay.h"
#include "QuorinParameterCommands.h"
#include "QuorinParameterFile.h"
#include "QuorinSimulationRun.h"
#include "ReplyAssembly.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

namespace {

using Controls = CQuorinParameterControls;

const std::array<TComboSpec<Controls>, 3> kCombos = {{
    {1104, &Controls::AS, QuorinASEntries},
    {1105, &Controls::SE, QuorinSEEntries},
    {1106, &Controls::SD, QuorinSDEntries},
}};

const std::array<TEditSpec<Controls>, 16> kEdits = {{
    {1107, &Controls::RMx},
    {1108, &Controls::RMy},
    {1109, &Controls::RMz},
    {1110, &Controls::ST},
    {1112, &Controls::SA},
    {1111, &Controls::TDx},
    {1113, &Controls::TDy},
    {1123, &Controls::SF},
    {1125, &Controls::OF},
    {1124, &Controls::TMx},
    {1126, &Controls::TMy},
    {1117, &Controls::RB},
    {1118, &Controls::RE},
    {1114, &Controls::AC},
    {1116, &Controls::AW},
    {1115, &Controls::AH},
}};

// Indices into kCombos and kEdits.
enum ComboIndex
{
    AS,
    SE,
    SD,
};

enum EditIndex
{
    RMx,
    RMy,
    RMz,
    ST,
    SA,
    TDx,
    TDy,
    SF,
    OF,
    TMx,
    TMy,
    RB,
    RE,
    AC,
    AW,
    AH,
};

constexpr CButtonSpec kGet{1119, "Get"};
constexpr CButtonSpec kSet{1120, "Set"};
constexpr CButtonSpec kReset{1121, "Reset"};
constexpr CButtonSpec kShowAll{1122, "Show All"};
constexpr CButtonSpec kLoad{1127, "Load"};
constexpr CButtonSpec kSave{1128, "Save"};
constexpr CButtonSpec kID{1130, "Device Identification (ID)"};
constexpr CButtonSpec kDT{1131, "DT"};
constexpr CButtonSpec kDM{1132, "DM"};
constexpr CButtonSpec kDF{1133, "DF"};
constexpr CButtonSpec kDS{1134, "DS"};
constexpr CButtonSpec kDW{1135, "DW"};
constexpr CButtonSpec kDX{1136, "DX"};
constexpr CButtonSpec kSetOffset{1137, "Set Offset"};
constexpr CButtonSpec kLaserOn{1138, "Laser On"};
constexpr CButtonSpec kLaserOff{1140, "Laser Off "};
constexpr CButtonSpec kTemperature{1072, "Temperature"};
constexpr CButtonSpec kStop{1139, "STOP Acquisition (Esc)"};
constexpr CButtonSpec kPauseSimulation{1164, "Pause Simulation"};

struct CTooltip
{
    int id;
    const char* text;
};

// In the order the tips are added.
constexpr CTooltip kTooltips[] = {
    {kDF.id, "Distance measurement with external trigger"},
    {kDM.id, "Single Distance measurement"},
    {kDX.id, "Distance tracking white target at 50Hz (only Telvan T2)"},
    {kDW.id, "Distance tracking white target at 10Hz"},
    {kDS.id, "Distance tracking 7m"},
    {kID.id, "Show Identification Number"},
    {kSetOffset.id, "Set current distance as offset (SO)"},
    {kLaserOn.id, "Pilot Laser On (LO) "},
    {kLaserOff.id, "Pilot Laser Off (LF)"},
    {kShowAll.id, "Show all parameters (PA)"},
    {kReset.id, "Reset all parmeters (PR)"},
    {kDT.id, "Continuous distance Measurement"},
    {kStop.id, "Stop Measurement (Only required for continous measurement mode)"},
    {kTemperature.id, "Show Device Internal Temperature (TP)"},
    {1106, "Display Format"},
    {1117, "Analog Begin: 4mA"},
    {1118, "Analog End: 20mA"},
    {1111, "Trigger Delay [0-9999ms]"},
    {1113, "Trigger Level: [0=H/L Flank  1=L/H Flank]"},
    {1112, "Arithmetic Average [1-20]"},
    {1125, "Offset value ( 0 point value )"},
    {1124, "Display/Set trigger mode (1=Active)"},
    {1126, "Select Flanke: (0=H/L transition, 1=L/H Transition)"},
    {1107, "Number of proceeding values for evaluation ( 0=off )"},
    {1108, "Dynamic Range for expectancy value (+/- from Evaluated value)"},
    {1109, "Number of successively out of tolerance values"},
    {1116, "Alarm Width"},
    {1115, "Alarm Hysteresis (0=No)"},
    {1114, "Alarm Begin"},
    {1104, "Autostart Function:\r\nDF:Distance tracking extern trigger\r\nDM:Single distance "
           "measurement\r\nDS:Distance tracking 7m\r\nDT:continuous Distance "
           "tracking\r\nDW:Distance  Tracking 10Hz\r\nDX:Distance tracking 50Hz\r\nID:Device "
           "identification\r\nLO:Laser on\r\nTP:Temperature"},
    {1105, "Error Mode:\r\n-0: Latest Value\r\n-1: QA=[(3mA if RE>RB) or (21mA if RE<RB)]   "
           "Q1=[(High if AH<0) or(Low if AH>=0)]\r\n-2: QA=[(3mA if RE<RB) or (21mA if RE>RB)]   "
           "Q1=[(High if AH>=0) or(Low if AH<0)]"},
    {1110, "Display/Set measuring time:\r\n[0]: Automatic by Telvan: 160ms-6s\r\n[1-25]: "
           "n*240ms (DT mode)\r\n            n*150ms (DS mode)"},
    {1123, "Scale Factor [-10 to -0.001 and 0.001 to 10]\r\nSF10:          dm\r\nSF1.0936:   "
           "Yard\r\nSF3.28084: feet\r\nSF0.3937:  100 inch"},
};

} // namespace

QuorinDlg::QuorinDlg(QWidget* parent)
    : CMainDlg("Quorin", std::make_unique<CQuorinSimulationRun>(), 1167, parent),
      m_pDisplay(new DisplayQR), m_pGraph(new GraphQR), m_pClassic(new ClassicQR),
      m_pLog(new LogQR), m_parameters(kEdits, kCombos)
{
    setWindowTitle("Quorin");
    SetPages({{{"Display", m_pDisplay, DisplayQR::kTemplateId},
               {"Graphic", m_pGraph, GraphQR::kTemplateId},
               {"Classic", m_pClassic, ClassicQR::kTemplateId},
               {"Log", m_pLog, LogQR::kTemplateId}}},
             *m_pDisplay, *m_pClassic, *m_pLog);
    BuildLayout();
    connect(m_pDisplay, &DisplayQR::RedrawGraphs, m_pGraph, &GraphQR::RedrawGraphQR);
}

void QuorinDlg::BuildLayout()
{
    const auto command = [this](QuorinCommand which) {
        return [this, which] { OnCommand(which); };
    };
    m_parameters.Create(this, [this] { ShowChanged(); });
    const auto edit = [this](EditIndex index) { return m_parameters.Edit(index); };

    auto* general = new QGroupBox("General", this);
    auto* generalGrid = new QGridLayout(general);
    AddParameterRow(generalGrid, 0, "AS", {m_parameters.Combo(AS)});
    AddParameterRow(generalGrid, 1, "SE", {m_parameters.Combo(SE)});
    AddParameterRow(generalGrid, 2, "SD", {m_parameters.Combo(SD)});

    auto* timing = new QGroupBox("Timing", this);
    auto* timingGrid = new QGridLayout(timing);
    AddParameterRow(timingGrid, 0, "ST", {edit(ST)});
    AddParameterRow(timingGrid, 1, "SA", {edit(SA)});
    AddParameterRow(timingGrid, 2, "TD", {edit(TDx), edit(TDy)});
    AddParameterRow(timingGrid, 3, "TM", {edit(TMx), edit(TMy)});
    AddParameterRow(timingGrid, 4, "RM", {edit(RMx), edit(RMy), edit(RMz)});

    auto* measuring = new QGroupBox("Measuring", this);
    auto* measuringGrid = new QGridLayout(measuring);
    AddParameterRow(measuringGrid, 0, "SF", {edit(SF)});
    AddParameterRow(measuringGrid, 1, "OF", {edit(OF)});

    auto* left = new QVBoxLayout;
    left->addWidget(general);
    left->addWidget(timing);
    left->addWidget(measuring);
    left->addLayout(ParameterButtons(
        AddButton(kGet, &QuorinDlg::OnGet), AddButton(kSet, &QuorinDlg::OnSet),
        {AddButton(kReset, &QuorinDlg::OnReset), AddButton(kShowAll, &QuorinDlg::OnShowAll),
         AddButton(kLoad, &QuorinDlg::OnLoad), AddButton(kSave, &QuorinDlg::OnSave)}));
    left->addStretch(1);

    auto* information = new QGroupBox("Device Information", this);
    auto* informationBox = new QVBoxLayout(information);
    informationBox->addWidget(AddButton(kID, command(QuorinCommand::ID)));
    informationBox->addWidget(AddButton(kTemperature, command(QuorinCommand::Temperature)));

    auto* commands = new QGroupBox("Command", this);
    auto* commandGrid = new QGridLayout(commands);
    commandGrid->addWidget(AddButton(kDT, command(QuorinCommand::DT)), 0, 0);
    commandGrid->addWidget(AddButton(kDM, command(QuorinCommand::DM)), 0, 1);
    commandGrid->addWidget(AddButton(kDF, command(QuorinCommand::DF)), 1, 0);
    commandGrid->addWidget(AddButton(kDS, command(QuorinCommand::DS)), 1, 1);
    commandGrid->addWidget(AddButton(kDW, command(QuorinCommand::DW)), 2, 0);
    commandGrid->addWidget(AddButton(kDX, command(QuorinCommand::DX)), 2, 1);
    commandGrid->addWidget(AddButton(kSetOffset, command(QuorinCommand::SetOffset)), 3, 0);
    auto* pauseSimulation = AddButton(kPauseSimulation, &QuorinDlg::OnPauseSimulation);
    commandGrid->addWidget(pauseSimulation, 3, 1);
    commandGrid->addWidget(AddButton(kLaserOn, command(QuorinCommand::LaserOn)), 4, 0);
    commandGrid->addWidget(AddButton(kLaserOff, command(QuorinCommand::LaserOff)), 4, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(information);
    right->addWidget(commands);
    auto* stop = AddButton(kStop, command(QuorinCommand::Stop));
    stop->setMinimumHeight(48);
    right->addWidget(stop);
    right->addStretch(1);

    auto* alarm = new QGroupBox("Alarm Q1", this);
    auto* alarmGrid = new QGridLayout(alarm);
    const std::pair<const char*, EditIndex> alarmColumns[] = {
        {"AC begin", AC}, {"AW width", AW}, {"AH hysteresis", AH}};
    for (int column = 0; column < 3; ++column) {
        alarmGrid->addWidget(new QLabel(alarmColumns[column].first), 0, column, Qt::AlignHCenter);
        alarmGrid->addWidget(edit(alarmColumns[column].second), 1, column);
    }

    auto* analog = new QGroupBox("Analog Output", this);
    auto* analogGrid = new QGridLayout(analog);
    analogGrid->addWidget(new QLabel("RB Analog Begin"), 0, 0, Qt::AlignHCenter);
    analogGrid->addWidget(new QLabel("RE Analog End"), 0, 1, Qt::AlignHCenter);
    analogGrid->addWidget(edit(RB), 1, 0);
    analogGrid->addWidget(edit(RE), 1, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(alarm, 3);
    bottom->addWidget(analog, 2);

    PlaceControls(BuildMenu(), left, right, bottom);

    std::vector<QWidget*> locked;
    for (const CButtonSpec* spec : {&kGet, &kShowAll, &kReset, &kID, &kDM, &kDF, &kSetOffset,
                                    &kLaserOn, &kLaserOff, &kDX, &kDW, &kDS, &kTemperature})
        locked.push_back(OwnControl<QPushButton>(spec->id));
    locked.push_back(m_parameters.Combo(SD));
    SetSimulationControls(std::move(locked), pauseSimulation);
}

QMenuBar* QuorinDlg::BuildMenu()
{
    auto* bar = new QMenuBar(this);
    AddFileMenu(bar, 32803, 32804);
    AddConnectionMenu(bar, 32771, 32826, 32827);
    AddMenuItem(bar->addMenu("Option"), "MQTT…", kMqttMenuId, &QuorinDlg::OnMqtt);
    AddSimulationMenu(bar, 32823, 32824);
    AddMenuItem(bar->addMenu("Help"), "About", 32825, &QuorinDlg::OnAbout);
    return bar;
}

void QuorinDlg::SetTooltips()
{
    for (const CTooltip& tip : kTooltips)
        SetTooltip(OwnControl<QWidget>(tip.id), tip.text);
}

void QuorinDlg::DispatchReply(std::string_view chunk)
{
    DispatchQuorinReply(chunk, {*m_pLog, *m_pClassic, *m_pDisplay});
}

void QuorinDlg::OnTimer()
{
    m_pGraph->RedrawGraphQR();
}

void QuorinDlg::OnCommand(QuorinCommand command)
{
    if (IsBusy())
        return;
    if (command == QuorinCommand::Stop)
        m_pChanged->hide();
    RunAction(QuorinCommandAction(command));
}

void QuorinDlg::OnGet()
{
    RunParameterCommand(QuorinGet());
}

void QuorinDlg::OnSet()
{
    if (IsBusy())
        return;
    m_pChanged->hide();
    RunParameterCommand(QuorinSet(Controls(), QuorinParameters));
}

void QuorinDlg::OnReset()
{
    RunParameterCommand(QuorinReset());
}

void QuorinDlg::OnShowAll()
{
    RunParameterCommand(QuorinShowAll());
}

void QuorinDlg::ResetAlarms()
{
    g_DisplayQR.ResetAlarm();
}

bool QuorinDlg::ShowListing(const std::string& listing)
{
    const auto controls = QuorinGetDone(listing, QuorinParameters);
    if (controls)
        m_parameters.Show(*controls);
    return controls.has_value();
}

std::string QuorinDlg::ParameterFileText()
{
    return SaveQuorinParameters(Controls(), QuorinParameters);
}

const char* QuorinDlg::ParameterFileName() const
{
    return ParameterTexts::QuorinFileName;
}

bool QuorinDlg::ShowParameterFile(const std::string& path)
{
    auto controls = LoadQuorinParameterFile(path);
    if (!controls)
        return false;
    KeepSimulationLocks(*controls, Controls());
    m_parameters.Show(*controls);
    return true;
}

void QuorinDlg::PrepareSimulation(bool firstStart)
{
    CQuorinParameterControls controls = Controls();
    SelectQuorinSimulationFormat(controls);
    if (firstStart)
        LoadQuorinDemonstration(controls, QuorinParameters);
    m_parameters.Show(controls);
}

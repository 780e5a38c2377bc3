#include "DisplayQR.h"

#include "../core/ParameterTestSupport.h"
#include "AnalogGauge.h"
#include "BlankPage.h"
#include "ColorStatic.h"
#include "ControlId.h"
#include "GraphData.h"
#include "LogBookQR.h"
#include "ReplyAssembly.h"
#include "UiTestSupport.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <string>

namespace {

// A Display page behind the real reply routing: lines arrive as the device sends them, the
// Log book cuts them, the page decodes each and shows them when the timer would.
struct DisplayQRTest : testing::Test
{
    CLogBookQR log;
    CBlankPage classic;
    std::unique_ptr<DisplayQR> page;
    int redraws = 0;

    void SetUp() override
    {
        ResetParameterState();
        g_DisplayQR = CQuorinDisplay{};
        QuorinParameters.SF = 1.0;
        QuorinParameters.SE = 0;
        QuorinParameters.RB = 0;
        QuorinParameters.RE = 20;
        g_strQuorinFormat = "h";
        page = std::make_unique<DisplayQR>();
        QObject::connect(page.get(), &DisplayQR::RedrawGraphs, [this] { ++redraws; });
    }
    void TearDown() override
    {
        ResetParameterState();
        g_DisplayQR = CQuorinDisplay{};
    }

    // The device's bytes, then the main dialog's timer.
    void Receive(const std::string& bytes)
    {
        DispatchQuorinReply(bytes, {log, classic, *page});
        page->ShowPending();
    }

    QString Text(int id) const { return FindControl<QLabel>(page.get(), id)->text(); }
    QString Count(std::size_t code) const
    {
        return FindControl<QLineEdit>(page.get(), QuorinErrorCodes[code].nCountBoxId)->text();
    }
    QString Explanation() const
    {
        return FindControl<QPlainTextEdit>(page.get(), 1142)->toPlainText();
    }
    QPushButton* Button(int id) const { return FindControl<QPushButton>(page.get(), id); }
    bool Shown(int id) const { return !FindControl<QLabel>(page.get(), id)->isHidden(); }
    bool Q1On() const { return Shown(1134) && !Shown(1135); }
    bool Q1Off() const { return !Shown(1134) && Shown(1135); }
    QColor DistanceColor() const
    {
        return FindControl<CColorStatic>(page.get(), 1137)->TextColor();
    }
};

TEST_F(DisplayQRTest, StartsInDecimalWithItsFontsZeroCountsAndTheGaugeAtThreeMilliamperes)
{
    EXPECT_EQ(g_strQuorinFormat, "d");
    EXPECT_EQ(FindControl<QLabel>(page.get(), 1137)->font().pixelSize(), 45);
    EXPECT_EQ(FindControl<QLabel>(page.get(), 1137)->font().family(), "Arial");
    EXPECT_EQ(FindControl<QLabel>(page.get(), 1138)->font().pixelSize(), 22);
    EXPECT_EQ(page->Gauge().ValueText(), "3.00");
    EXPECT_TRUE(Q1Off());
    for (std::size_t i = 0; i < QuorinErrorCodes.size(); ++i) {
        EXPECT_EQ(Count(i), "0") << i;
        EXPECT_FALSE(
            FindControl<QLineEdit>(page.get(), QuorinErrorCodes[i].nCountBoxId)->isEnabled());
        EXPECT_EQ(Button(QuorinErrorCodes[i].nHelpButtonId)->text(), "?");
    }
    EXPECT_EQ(Button(1095)->text(), "Clear ERRORS");
    QStringList labels;
    for (const QLabel* label : page->findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("Error Explanation ( click on \"?\" )  :"));
}

TEST_F(DisplayQRTest, LinesShowReadingUnitTemperatureAndCurrent)
{
    Receive("012.345\r\n");
    EXPECT_EQ(Text(1137), "012.345");
    EXPECT_EQ(Text(1143), "m");
    EXPECT_EQ(Text(1138), "");
    EXPECT_NEAR(page->Gauge().Value(), 13.876, 1e-9);
    EXPECT_EQ(DistanceColor(), QColor(0, 0, 0));

    // Not a distance reading: distance and gauge stay.
    Receive("12.3456\r\n");
    EXPECT_EQ(Text(1137), "012.345");
    EXPECT_NEAR(page->Gauge().Value(), 13.876, 1e-9);

    g_bTempRequest = true;
    Receive("23.5\r\n");
    EXPECT_EQ(Text(1138), "23.5");
    EXPECT_EQ(Text(1137), "012.345");

    QuorinParameters.SF = -3.28084;
    Receive("040.500\r\n");
    EXPECT_EQ(Text(1143), "feet");
    EXPECT_EQ(Text(1138), "");
    EXPECT_EQ(page->Gauge().ValueText(), "21.00");
    QuorinParameters.SF = 2.0;
    Receive("001.000\r\n");
    EXPECT_EQ(Text(1143), "");

    // Hexadecimal lines are shown as sent, the gauge at 3 mA.
    QuorinParameters.SF = 1.0;
    g_strQuorinFormat = "h";
    Receive("0F00C8\r\n");
    EXPECT_EQ(Text(1137), "F00C8");
    EXPECT_EQ(Text(1143), "mm");
    EXPECT_EQ(page->Gauge().ValueText(), "3.00");
    Receive("00000C8\r\n");
    EXPECT_EQ(Text(1137), "00000C8");
    Receive("0F[00C8\r\n");
    EXPECT_EQ(Text(1137), "00000C8");
    g_bTempRequest = true;
    Receive("0F00FA\r\n");
    EXPECT_EQ(Text(1138), "F00FA");
}

TEST_F(DisplayQRTest, TextIsRedAndTheGraphRedrawnWhileSimulating)
{
    g_bSimulation = true;
    g_strQuorinLine = "005.000";
    page->OnData();
    EXPECT_EQ(redraws, 0); // nothing is shown before the timer
    EXPECT_EQ(DistanceColor(), QColor(0, 0, 0));
    page->ShowPending();
    EXPECT_EQ(DistanceColor(), QColor(255, 0, 0));
    EXPECT_EQ(Text(1137), "005.000");
    EXPECT_EQ(redraws, 1);
    page->ShowPending();
    EXPECT_EQ(redraws, 1);

    g_bSimulation = false;
    Receive("006.000\r\n");
    EXPECT_EQ(DistanceColor(), QColor(0, 0, 0));
    EXPECT_EQ(redraws, 1);
}

TEST_F(DisplayQRTest, AlarmLampFollowsTheWindowOnInsideOrOutsideByTheHysteresisSign)
{
    QuorinParameters.AC = 5;
    QuorinParameters.AW = 4;
    QuorinParameters.AH = 1;
    const std::pair<const char*, bool> inside[] = {
        {"005.400", false}, {"005.600", true}, {"004.600", true}, {"009.600", false}};
    for (const auto& [line, on] : inside) {
        Receive(std::string(line) + "\r\n");
        EXPECT_EQ(Q1On(), on) << line;
        EXPECT_EQ(Q1Off(), !on) << line;
    }
    QuorinParameters.AH = -1;
    const std::pair<const char*, bool> outside[] = {
        {"010.000", true}, {"009.400", true}, {"007.000", false}};
    for (const auto& [line, on] : outside) {
        Receive(std::string(line) + "\r\n");
        EXPECT_EQ(Q1On(), on) << line;
    }
    // SE 2 puts an outside alarm off and the current at 21 mA on an error.
    QuorinParameters.SE = 2;
    Receive("E16\r\n");
    EXPECT_TRUE(Q1Off());
    EXPECT_EQ(page->Gauge().ValueText(), "21.00");
}

TEST_F(DisplayQRTest, ManyLinesBeforeOneRepaintShowTheLastLineAndEveryCount)
{
    ResetGraphSettingsQR();
    CreateGraphTableQR();
    std::string bytes = "012.345\r\n";
    for (std::size_t i = 0; i < QuorinErrorCodes.size(); ++i) {
        for (std::size_t n = 0; n <= i; ++n)
            bytes += std::string(QuorinErrorCodes[i].strCode) + "\r\n";
    }
    bytes += "E02\r\n017.250\r\n";
    DispatchQuorinReply(bytes, {log, classic, *page});
    EXPECT_EQ(Count(0), "0");
    page->ShowPending();
    EXPECT_EQ(Text(1137), "017.250");
    for (std::size_t i = 0; i < QuorinErrorCodes.size(); ++i)
        EXPECT_EQ(Count(i), QString::number(i + 1)) << QuorinErrorCodes[i].strCode;
    // Every line is a graph point at once, an error line one at 0.
    ASSERT_EQ(g_nGraphPointsQR, 1 + 17 * 18 / 2 + 2);
    EXPECT_EQ(g_pDistanceColumnQR->m_Values.back(), 17.25);
    EXPECT_EQ(g_pDistanceColumnQR->m_Values.end()[-2], 0.0);
    EXPECT_EQ(g_pDistanceTableQR->m_XValues.front(), g_nGraphPointsQR - 50.0);
}

// The seventeen codes as the operator reads them: description, count box, "?" button and
// help text, written out here rather than taken from the page's own table.
struct CHelpRow
{
    const char* code;
    const char* description;
    int countBox;
    int helpButton;
    const char* help;
};
constexpr CHelpRow kHelpRows[] = {
    {"E15", " Too weak reflexes", 1140, 1101,
     "E15:Use target board, observe minimum requirement on measuring frequency ( >0,1m )"},
    {"E16", " Too strong reflexes", 1047, 1102, "E16:Use target board"},
    {"E17", " Too much steady light", 1048, 1103,
     "E17:Reduce ambient light at target,Reflecting object remove or cover"},
    {"E18", " Too high distance variation", 1049, 1104,
     "E18:Check path from distance meter to target being measured for obstacles"},
    {"E19", " Too high target speed", 1054, 1106,
     "E19:Reduce motion speed of target or of distance meter"},
    {"E23", " Temperature below -10°C", 1055, 1107, "E23:Provide ambient temperature > -10°C"},
    {"E24", " Temperatureabove +60°C", 1056, 1108, "E24:Provide ambient temperature < +60°C"},
    {"E31", " Faulty EEPROM checksum", 1057, 1109,
     "E31:Service required if fault occurs repeatedly\r\n        Reship Telvan T1/T2 for "
     "repair"},
    {"E51", " Failure avalanche voltage", 1067, 1110,
     "E51:1.Check ambient light radiation. Limit ambient light \r\n        2.Service "
     "required: Reship Telvan T1/T2 for repair"},
    {"E52", " Laser current too high", 1058, 1111,
     "E52:Reship Telvan T1/T2 for repair,contact technical support"},
    {"E53", " Parameter not set ( EEPROM )", 1059, 1112,
     "E53:1.Parameter SF examine (SF must be unequal 0 )\r\n        2.Contact technical "
     "support: Reship Telvan T1/T2 for repair"},
    {"E54", " Hardware Error ( PLL )", 1060, 1113,
     "E54:Contact technical support: Reship Telvan T1/T2 for repair"},
    {"E55", " Hardware Error", 1061, 1114,
     "E55:Contact technical support: Reship Telvan T1/T2 for repair"},
    {"E61", " Invalid command", 1062, 1115, "E61:Check control software commands"},
    {"E62", " Invalid parameter", 1063, 1116, "E62:Check external software parity setting"},
    {"E63", " SIO Overflow", 1064, 1117,
     "E63:Check time of emitted signals in application software\r\n        integrate delay on "
     "transmission if necessary"},
    {"E64", " Framing Error SIO", 1065, 1118,
     "E64:Data format of the serial interface examine (8N1) "},
};

TEST_F(DisplayQRTest, EveryCodeHasItsDescriptionCountBoxAndHelpText)
{
    QStringList labels;
    for (const QLabel* label : page->findChildren<QLabel*>())
        labels << label->text();
    for (const CHelpRow& row : kHelpRows) {
        SCOPED_TRACE(row.code);
        EXPECT_TRUE(labels.contains(row.code));
        EXPECT_TRUE(labels.contains(QString::fromUtf8(row.description)));
        Receive(std::string(row.code) + "  \r\n");
        EXPECT_EQ(FindControl<QLineEdit>(page.get(), row.countBox)->text(), "1");
        Button(row.helpButton)->click();
        // The box breaks the line where the help text has CR LF, and nowhere else.
        EXPECT_EQ(Explanation().replace("\n", "\r\n"), QString::fromUtf8(row.help));
    }
    Button(1109)->click();
    EXPECT_EQ(FindControl<QPlainTextEdit>(page.get(), 1142)->blockCount(), 2);
    Button(1102)->click();
    EXPECT_EQ(Explanation(), "E16:Use target board");
}

TEST_F(DisplayQRTest, ClearErrorsZeroesCountsBoxesAndExplanation)
{
    Receive("E15\r\nE15\r\nE64\r\n");
    // A count decoded but not shown yet is cleared with the others.
    g_strQuorinLine = "E23";
    page->OnData();
    Button(1101)->click();
    Button(1095)->click();
    page->ShowPending();
    for (std::size_t i = 0; i < QuorinErrorCodes.size(); ++i) {
        EXPECT_EQ(Count(i), "0") << i;
        EXPECT_EQ(g_DisplayQR.ErrorCounts().GetCount(static_cast<int>(i)), 0) << i;
    }
    EXPECT_EQ(Explanation(), "");
    Receive("E15\r\n");
    EXPECT_EQ(Count(0), "1");
}

TEST_F(DisplayQRTest, ANewPageShowsZerosUntilTheNextErrorAndTheStoredAlarm)
{
    QuorinParameters.AC = 5;
    QuorinParameters.AW = 4;
    QuorinParameters.AH = 1;
    Receive("E53\r\nE53\r\n007.000\r\n");
    DisplayQR second;
    EXPECT_EQ(FindControl<QLineEdit>(&second, 1059)->text(), "0");
    EXPECT_TRUE(!FindControl<QLabel>(&second, 1134)->isHidden());
    g_strQuorinLine = "E53";
    second.OnData();
    second.ShowPending();
    EXPECT_EQ(FindControl<QLineEdit>(&second, 1059)->text(), "3");
}

TEST_F(DisplayQRTest, EscapeAndEnterOnThePageLeaveTheDialogOpen)
{
    QDialog dialog;
    auto* inDialog = new DisplayQR(&dialog);
    dialog.show();
    for (const int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
        PressKey(inDialog, key);
    EXPECT_TRUE(dialog.isVisible());
    PressKey(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace

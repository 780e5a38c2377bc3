#include "DisplayQR.h"

#include "AlarmLamp.h"
#include "AnalogOutput.h"
#include "ColorStatic.h"
#include "ControlId.h"
#include "GraphData.h"
#include "PageWidgets.h"
#include "TerminalState.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

// E15 to E51 stand in the left column of the panel, E52 to E64 in the right one.
constexpr std::size_t kLeftColumnRows = 9;

// The help texts break their lines as the device's documentation does, with CR LF; the
// explanation box would take each of the two as a line break of its own.
QString HelpText(std::string_view help)
{
    return FromUtf8(help).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

DisplayQR::DisplayQR(QWidget* parent)
    : CDisplayPage(parent, 1136, MinimumCurrent),
      m_pDistance(WithControlId(new CColorStatic({}, this), 1137)),
      m_pDistanceUnit(WithControlId(new QLabel(this), 1143)),
      m_pTemperature(WithControlId(new QLabel(this), 1138)),
      m_pQ1(new CAlarmLamp(1134, 1135, this)),
      m_pExplanation(WithControlId(new QPlainTextEdit(this), 1142))
{
    g_strQuorinFormat = "d";

    auto* upper = new QHBoxLayout;
    upper->addWidget(MeasurementBox(), 3);
    upper->addWidget(AnalogOutputBox(150), 2);
    // Room is short in the tab area: the panel of seventeen rows takes most of it.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(upper);
    layout->addWidget(ErrorCountBox());
    layout->addStretch(1);

    // The alarm output outlives the page: a new page shows where it stands.
    m_view.Q1On().Set(g_DisplayQR.IsQ1On());
    ShowPending();
}

QWidget* DisplayQR::MeasurementBox()
{
    m_pDistance->setFont(ArialFont(45));
    m_pTemperature->setFont(ArialFont(22));
    // Texts change with every line: fixed sizes keep that from laying the page out again.
    for (QLabel* text : {static_cast<QLabel*>(m_pDistance), m_pTemperature})
        text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_pDistance->setMinimumWidth(QFontMetrics(ArialFont(45)).horizontalAdvance("-0000.000"));
    m_pDistance->setMinimumHeight(QFontMetrics(ArialFont(45)).height());
    m_pTemperature->setMinimumHeight(QFontMetrics(ArialFont(22)).height());
    m_pDistanceUnit->setMinimumWidth(70);

    auto* box = new QGroupBox(QStringLiteral("Measurement"), this);
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("Distance")), 0, 0);
    grid->addWidget(m_pDistance, 0, 1);
    grid->addWidget(m_pDistanceUnit, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Temperature")), 1, 0);
    grid->addWidget(m_pTemperature, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Alarm Q1")), 2, 0);
    grid->addWidget(m_pQ1, 2, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    return box;
}

QWidget* DisplayQR::ErrorCountBox()
{
    auto* box = new QGroupBox(QStringLiteral("Error Count"), this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(1);
    const int countWidth = QFontMetrics(font()).horizontalAdvance("000000") + 12;
    for (std::size_t i = 0; i < QuorinErrorCodes.size(); ++i) {
        const CQuorinErrorCode& code = QuorinErrorCodes[i];
        const int row = static_cast<int>(i % kLeftColumnRows);
        const int column = i < kLeftColumnRows ? 0 : 5;
        m_counts[i] = CountEdit(box, code.nCountBoxId);
        m_counts[i]->setEnabled(false);
        m_counts[i]->setFixedWidth(countWidth);
        auto* help = PageButton(QStringLiteral("?"), code.nHelpButtonId, box);
        help->setFixedWidth(help->sizeHint().height() + 4);
        connect(help, &QPushButton::clicked, this, [this, i] { OnHelp(i); });
        grid->addWidget(new QLabel(FromUtf8(code.strCode)), row, column);
        grid->addWidget(new QLabel(FromUtf8(code.strDescription)), row, column + 1);
        grid->addWidget(m_counts[i], row, column + 2);
        grid->addWidget(help, row, column + 3);
    }
    // The right column is a row shorter: its last place takes the button that clears all.
    auto* clear = PageButton(QStringLiteral("Clear ERRORS"), 1095, box);
    connect(clear, &QPushButton::clicked, this, &DisplayQR::OnClearErrors);
    grid->addWidget(clear, static_cast<int>(kLeftColumnRows) - 1, 6, 1, 3, Qt::AlignRight);
    grid->setColumnMinimumWidth(4, 16);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(6, 1);

    m_pExplanation->setReadOnly(true);
    const QFontMetrics metrics(m_pExplanation->font());
    // The longest help text takes two lines.
    const auto margin = static_cast<int>(m_pExplanation->document()->documentMargin());
    m_pExplanation->setFixedHeight(2 * metrics.lineSpacing() + 2 * m_pExplanation->frameWidth() +
                                   2 * margin + 4);
    const int below = static_cast<int>(kLeftColumnRows);
    grid->addWidget(new QLabel(QStringLiteral("Error Explanation ( click on \"?\" )  :")), below, 0,
                    1, 9);
    grid->addWidget(m_pExplanation, below + 1, 0, 1, 9);
    return box;
}

void DisplayQR::OnData()
{
    const CQuorinDisplayResult& result =
        TakesReadings() ? m_decoding.Decode(Reading()) : g_DisplayQR.OnData();
    if (TakesReadings() && !result.bRedText)
        PassReading(m_decoding.Taken());
    if (result.bAddGraphPoint)
        AddGraphPointQR(result.dGraphDistance);
    m_view.Take(result);
}

void DisplayQR::ShowPending()
{
    ShowRedText(m_view.RedText(), {m_pDistance});
    ShowUnit(m_view.DistanceUnit(), m_pDistanceUnit);
    ShowDeviceText(m_view.Distance(), m_pDistance);
    ShowDeviceText(m_view.Temperature(), m_pTemperature);
    ShowCurrent(m_view.Current());
    ShowLamp(m_view.Q1On(), m_pQ1);
    for (std::size_t i = 0; i < m_counts.size(); ++i)
        ShowDeviceText(m_view.Count(i), m_counts[i]);
    if (m_view.TakeRedraw())
        emit RedrawGraphs();
}

void DisplayQR::OnHelp(std::size_t code)
{
    m_pExplanation->setPlainText(HelpText(QuorinErrorCodes.at(code).strHelp));
}

void DisplayQR::OnClearErrors()
{
    g_DisplayQR.ErrorCounts().Clear();
    for (QLineEdit* count : m_counts)
        count->setText(QStringLiteral("0"));
    m_view.ClearCounts();
    m_pExplanation->clear();
}

#include "GraphZL.h"

#include "CSVGraph2Static.h"
#include "ControlId.h"
#include "GraphData.h"
#include "GraphFiles.h"
#include "GraphSetupZL.h"
#include "ParameterRecords.h"
#include "UserDialogs.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QImage>
#include <QPushButton>
#include <QVBoxLayout>

#include <mutex>

namespace {

CGraphPicture Picture(QWidget& control)
{
    const QImage image = control.grab().toImage().convertToFormat(QImage::Format_RGB32);
    CGraphPicture picture(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            picture.SetPixel(x, y, row[x] & 0xFFFFFF);
    }
    return picture;
}

QString FromStd(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

GraphZL::GraphZL(QWidget* parent)
    : QWidget(parent), m_pSpeedStatic(WithControlId(new CCSVGraph2Static(this), 1152)),
      m_pDistanceStatic(WithControlId(new CCSVGraph2Static(this), 1151))
{
    const auto button = [this](const char* text, int id, void (GraphZL::*handler)()) {
        auto* pushButton = WithControlId(new QPushButton(text, this), id);
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, handler);
        return pushButton;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button("Setup", 1097, &GraphZL::OnSetup));
    buttons->addWidget(button("Save", 1096, &GraphZL::OnSave));
    buttons->addWidget(button("Clear", 1153, &GraphZL::OnClear));
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pSpeedStatic, 1);
    layout->addWidget(m_pDistanceStatic, 1);
    layout->addLayout(buttons);

    for (CCSVTable2Graph* graph : {&m_distanceGraph, &m_speedGraph})
        graph->SetAxis(0.0, 0.0, 10, 7, true, false);
    ResetGraphSettingsZL();
    CreateGraphs();
    m_pDistanceStatic->installEventFilter(this);
    m_pSpeedStatic->installEventFilter(this);
}

void GraphZL::CreateGraphs()
{
    CreateGraphTablesZL();
    m_distanceGraph.SetTable(g_pDistanceTable.get());
    m_speedGraph.SetTable(g_pSpeedTable.get());
    m_pDistanceStatic->SetGraph(&m_distanceGraph);
    m_pSpeedStatic->SetGraph(&m_speedGraph);
    SizeGraphs();
}

void GraphZL::RedrawGraphs()
{
    const std::lock_guard lock(g_GraphMutex);
    m_pDistanceStatic->update();
    m_pSpeedStatic->update();
}

bool GraphZL::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize)
        SizeGraphs();
    return QWidget::eventFilter(watched, event);
}

void GraphZL::SizeGraphs()
{
    m_distanceGraph.SetSize(m_pDistanceStatic->width(), m_pDistanceStatic->height());
    m_speedGraph.SetSize(m_pSpeedStatic->width(), m_pSpeedStatic->height());
}

void GraphZL::OnSetup()
{
    GraphSetupZL setup(this);
    CUserDialogs::RunModal(setup);
    if (!g_bGraphSetupConfirmed)
        return;
    CreateGraphs();
    RedrawGraphs();
}

void GraphZL::OnClear()
{
    CreateGraphs();
    RedrawGraphs();
}

void GraphZL::OnSave()
{
    const QString picturePath =
        CUserDialogs::AskFileName(this, {true, {}, "bmp", "BMP Files (*.bmp);;All Files (*)"});
    if (!picturePath.isEmpty()) {
        const CGraphPicture picture =
            StackGraphPictures(Picture(*m_pSpeedStatic), Picture(*m_pDistanceStatic));
        const std::string failure = SaveGraphPicture(picturePath.toStdString(), picture);
        if (!failure.empty())
            CUserDialogs::ShowMessage(this, FromStd(failure));
    }
    const std::string proposal = GraphParameterFileProposal(picturePath.toStdString());
    const QString textPath =
        CUserDialogs::AskFileName(this, {true, FromStd(proposal), "txt", "Text Files (*.txt)"});
    if (textPath.isEmpty())
        return;
    const std::string failure = SaveGraphParametersZL(textPath.toStdString(), ZelnarParameters);
    if (!failure.empty())
        CUserDialogs::ShowMessage(this, FromStd(failure));
}

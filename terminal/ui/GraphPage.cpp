#include "GraphPage.h"

#include "CSVGraph2Static.h"
#include "CSVTable2Graph.h"
#include "ControlId.h"
#include "GraphData.h"
#include "PageWidgets.h"
#include "UserDialogs.h"

#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

std::string ToPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString FromPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

CGraphPage::CGraphPage(QWidget* parent, std::mutex& graphMutex)
    : QWidget(parent), m_graphMutex(graphMutex), m_pGraphs(new QVBoxLayout),
      m_pButtons(new QHBoxLayout)
{
    m_pButtons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_pGraphs, 1);
    layout->addLayout(m_pButtons);
}

CCSVGraph2Static* CGraphPage::AddGraph(int id, CCSVTable2Graph& graph)
{
    auto* control = WithControlId(new CCSVGraph2Static(this), id);
    control->SetGraph(&graph);
    graph.SetSize(control->width(), control->height());
    control->installEventFilter(this);
    m_pGraphs->addWidget(control, 1);
    m_graphs.emplace_back(control, &graph);
    return control;
}

void CGraphPage::AddButton(const QString& text, int id, const std::function<void()>& handler)
{
    QPushButton* button = PageButton(text, id, this);
    connect(button, &QPushButton::clicked, this, handler);
    m_pButtons->insertWidget(m_pButtons->count() - 1, button);
}

void CGraphPage::RedrawGraphs()
{
    const std::lock_guard lock(m_graphMutex);
    for (const auto& [control, graph] : m_graphs)
        control->update();
}

void CGraphPage::Restart()
{
    CreateGraphs();
    RedrawGraphs();
}

void CGraphPage::RunSetup(QDialog& setup)
{
    CUserDialogs::RunModal(setup);
    if (g_bGraphSetupConfirmed)
        Restart();
}

bool CGraphPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        for (const auto& [control, graph] : m_graphs) {
            if (control == watched)
                graph->SetSize(control->width(), control->height());
        }
    }
    return QWidget::eventFilter(watched, event);
}

CGraphPicture CGraphPage::Picture(QWidget& control)
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

void CGraphPage::SaveGraphs(
    const std::function<CGraphPicture()>& picture,
    const std::function<std::string(const std::string& path)>& saveParameters)
{
    const QString picturePath = CUserDialogs::AskFileName(
        this,
        {true, {}, "bmp", "BMP Files (*.bmp);;All Files (*)", QStringLiteral("graphPicture")});
    if (!picturePath.isEmpty())
        ShowFailure(SaveGraphPicture(ToPath(picturePath), picture()));
    const QString proposal = FromPath(GraphParameterFileProposal(ToPath(picturePath)));
    const QString textPath = CUserDialogs::AskFileName(
        this, {true, proposal, "txt", "Text Files (*.txt)", QStringLiteral("graphParameters")});
    if (!textPath.isEmpty())
        ShowFailure(saveParameters(ToPath(textPath)));
}

void CGraphPage::ShowFailure(const std::string& failure)
{
    if (!failure.empty())
        CUserDialogs::ShowMessage(this, QString::fromStdString(failure));
}

#pragma once

#include "GraphFiles.h"

#include <QWidget>

#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

class CCSVGraph2Static;
class CCSVTable2Graph;
class QDialog;
class QHBoxLayout;
class QVBoxLayout;

// What the Graphic pages share: graph controls stacked over a row of buttons, renderers that
// follow their controls' size, Setup and Clear starting the graphs again, and Save (the
// picture of the graphs, then the parameter set under which they were recorded).
class CGraphPage : public QWidget
{
    Q_OBJECT
public:
    // Repaints every graph control: the main dialog's timer and, while simulating, the Display
    // page.
    void RedrawGraphs();

protected:
    // graphMutex is the family's graph lock.
    CGraphPage(QWidget* parent, std::mutex& graphMutex);

    // A graph control below the ones added before; graph draws at the control's size. The page
    // keeps neither: graph must outlive the control's painting.
    CCSVGraph2Static* AddGraph(int id, CCSVTable2Graph& graph);
    // A button in the row under the graphs.
    void AddButton(const QString& text, int id, const std::function<void()>& handler);

    // Gives the graphs new, empty tables of the current settings.
    virtual void CreateGraphs() = 0;
    // Clear: the graphs start again, empty.
    void Restart();
    // Runs a Setup dialog; a valid OK restarts the graphs with what it set.
    void RunSetup(QDialog& setup);

    // The pixels of a control as they stand on the screen.
    static CGraphPicture Picture(QWidget& control);
    // Asks for the picture's file and writes picture there (skipped when the operator
    // cancels), then asks for the text file and has saveParameters write it. A failure is
    // shown with the message the writer returns.
    void SaveGraphs(const std::function<CGraphPicture()>& picture,
                    const std::function<std::string(const std::string& path)>& saveParameters);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowFailure(const std::string& failure);

    std::mutex& m_graphMutex;
    QVBoxLayout* m_pGraphs;
    QHBoxLayout* m_pButtons;
    std::vector<std::pair<CCSVGraph2Static*, CCSVTable2Graph*>> m_graphs;
};

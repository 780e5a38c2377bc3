#include "GraphTestSupport.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

struct PreviewFixture
{
    PreviewFixture()
    {
        data.AddColumn("A");
        data.AddLine(0, {1});
        data.AddLine(1, {2});
        graph.SetSize(240, 160);
    }
    TestTable data;
    CCSVTable2Graph graph{&data.table};
};

// Asks the window to close as its close box does, once the wait has begun.
void CloseLater(CCSVGraphPreviewDlg* dlg)
{
    QTimer::singleShot(0, dlg, [dlg] { dlg->close(); });
}

} // namespace

TEST(CSVGraphPreview, OpensOneWindowSizedToTheGraph)
{
    PreviewFixture fixture;
    CCSVGraphPreview preview;
    EXPECT_EQ(preview.Update(), 0);
    EXPECT_EQ(preview.Open(&fixture.graph, 1), 1);
    EXPECT_EQ(preview.Open(&fixture.graph, 1), 0);

    CCSVGraphPreviewDlg* dlg = preview.GetDialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->windowTitle(), "Image");
    EXPECT_EQ(dlg->size(), QSize(240, 160));
    CCSVGraph2Static* control = dlg->GetGraphStatic();
    EXPECT_EQ(control->property("controlId").toInt(), 1000);
    EXPECT_EQ(control->geometry(), QRect(0, 0, 240, 160));
    EXPECT_EQ(control->GetGraph(), &fixture.graph);
    EXPECT_EQ(preview.Update(), 1);

    CCSVTable2Graph larger(fixture.graph);
    larger.SetSize(300, 200);
    preview.SetGraph(&larger);
    EXPECT_EQ(dlg->size(), QSize(300, 200));
    EXPECT_EQ(control->GetGraph(), &larger);
}

TEST(CSVGraphPreview, NotClosableUntilWaitForCloseMakesItSo)
{
    PreviewFixture fixture;
    CCSVGraphPreview preview;
    ASSERT_EQ(preview.Open(&fixture.graph, 0), 1);
    CCSVGraphPreviewDlg* dlg = preview.GetDialog();
    dlg->close();
    QTest::keyClick(dlg, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(preview.IsClosedByUser());
    EXPECT_TRUE(preview.IsOpen());

    CloseLater(dlg);
    EXPECT_EQ(preview.WaitForClose(), CCSVGraphPreviewDlg::ResultCancel);
    EXPECT_FALSE(preview.IsOpen());
    EXPECT_EQ(preview.Update(), 0);
    // Closed by the user, the preview can be opened again.
    EXPECT_EQ(preview.Open(&fixture.graph, 1), 1);
}

TEST(CSVGraphPreview, AClickOnTheGraphClosesItAlways)
{
    PreviewFixture fixture;
    CCSVGraphPreview preview;
    ASSERT_EQ(preview.Open(&fixture.graph, 0), 1);
    CCSVGraphPreviewDlg* dlg = preview.GetDialog();
    QTimer::singleShot(0, dlg, [dlg] {
        QTest::mouseClick(dlg->GetGraphStatic(), Qt::LeftButton, {}, QPoint(20, 20));
    });
    EXPECT_EQ(preview.WaitForClose(), CCSVGraphPreviewDlg::ResultOK);
    EXPECT_FALSE(preview.IsClosedByUser());
}

TEST(CSVGraphPreview, EnterClosesAClosablePreviewWithOK)
{
    PreviewFixture fixture;
    CCSVGraphPreview preview;
    ASSERT_EQ(preview.Open(&fixture.graph, 1), 1);
    QTest::keyClick(preview.GetDialog(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(preview.IsOpen());
    EXPECT_EQ(preview.GetResult(), CCSVGraphPreviewDlg::ResultOK);
    EXPECT_EQ(preview.WaitForClose(), CCSVGraphPreviewDlg::ResultOK);
}

TEST(CSVGraphPreview, CloseEndsItAtOnce)
{
    PreviewFixture fixture;
    CCSVGraphPreview preview;
    ASSERT_EQ(preview.Open(&fixture.graph, 0), 1);
    preview.Close();
    EXPECT_FALSE(preview.IsOpen());
    EXPECT_EQ(preview.GetResult(), 0);
    EXPECT_EQ(preview.WaitForClose(), 0);

    // Close from within the wait ends the wait too, and the window is gone.
    ASSERT_EQ(preview.Open(&fixture.graph, 0), 1);
    const QPointer<CCSVGraphPreviewDlg> dlg = preview.GetDialog();
    QTimer::singleShot(0, [&preview] { preview.Close(); });
    EXPECT_EQ(preview.WaitForClose(), 0);
    EXPECT_TRUE(dlg.isNull());
    EXPECT_FALSE(preview.IsOpen());
}

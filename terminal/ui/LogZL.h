#pragma once

#include "LogBookZL.h"
#include "ReplyPage.h"

#include <QTimer>
#include <QWidget>

class CLogListModel;
class QCheckBox;
class QListView;
class QPushButton;

// The Log page of the Zelnar main dialog: every line the device sent, optionally with the time,
// a stretch marked with Start Log and Stop Log, and that stretch saved as text or as a
// semicolon-separated file. It cuts the received text into lines for the Display page.
class LogZL : public QWidget, public CReplyPage
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 134;

    explicit LogZL(LogClock clock = LocalTimeClock(), QWidget* parent = nullptr);

    void OnData() override;
    // UM_SAVE_LOG: the same as SAVE.
    void OnSaveLog();

    const CLogBookZL& Book() const { return m_book; }
    // Shows the entries added since the last look; the page looks on its own shortly after
    // data arrive.
    void ShowEntries();

protected:
    // Escape and Enter on the page do nothing.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnStartLog();
    void OnStopLog();
    void OnSaveExcel();
    void OnClear();
    void Save(const CSaveFileDialog& dialog, bool excel);
    void ShowButtons();

    CLogBookZL m_book;
    CLogListModel* m_pModel;
    QListView* m_pList;
    QPushButton* m_pStartLog;
    QPushButton* m_pStopLog;
    QPushButton* m_pSave;
    QPushButton* m_pSaveExcel;
    QPushButton* m_pClear;
    QCheckBox* m_pTime;
    QTimer m_showTimer;
};

#pragma once

#include "LogBook.h"
#include "ReplyPage.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class CJournalReader;
class CLogListModel;
class CLogSink;
class QCheckBox;
class QListView;
class QPushButton;

// The ids of a Log page's controls and the caption of its Excel button.
struct CLogPageControls
{
    int list, startLog, stopLog, save, saveExcel, clear, time;
    const char* saveExcelCaption;
};

// The Log page of a main dialog: every line the device sent, optionally with the time, a
// stretch marked with Start Log and Stop Log, and that stretch saved as text or as a
// semicolon-separated file. Its book cuts the received text into lines for the Display page.
class CLogPage : public QWidget, public CReplyPage
{
    Q_OBJECT
public:
    void OnData() override;
    // UM_SAVE_LOG: the same as SAVE.
    void OnSaveLog();

    const CLogBook& Book() const { return *m_pBook; }
    // Every entry from now on, and every CLEAR, goes to the sink too.
    void SetSink(CLogSink* sink) { m_pBook->SetSink(sink); }
    // Lists the entries of an earlier session's journal, marked for SAVE and the Excel button.
    void Recover(const CJournalReader& journal);
    // Shows the entries added since the last look; the page looks on its own shortly after
    // data arrive while it is in sight, and when it comes into sight.
    void ShowEntries();

protected:
    CLogPage(std::unique_ptr<CLogBook> book, const CLogPageControls& controls,
             const CSaveFileDialog& textDialog, const CSaveFileDialog& excelDialog,
             QWidget* parent);

    // Escape and Enter on the page do nothing.
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnStartLog();
    void OnStopLog();
    void OnSaveExcel();
    void OnClear();
    void Save(const CSaveFileDialog& dialog, bool excel);
    void ShowButtons();

    std::unique_ptr<CLogBook> m_pBook;
    CSaveFileDialog m_textDialog;
    CSaveFileDialog m_excelDialog;
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

#pragma once

#include "ControlId.h"
#include "LogPage.h"
#include "UiTestSupport.h"

#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

// A Log page with a fixed clock: reads its list and saves its stretch through the answered
// file dialog into a folder of the test's own.
struct LogPageTest : testing::Test
{
    CAnsweredDialogs dialogs;
    QTemporaryDir folder;
    std::unique_ptr<CLogPage> page;

    static LogClock FixedClock()
    {
        return [] { return CTimeOfDay{14, 3, 7, 42}; };
    }

    QPushButton* Button(int id) const { return FindControl<QPushButton>(page.get(), id); }
    QAbstractItemModel* Model() const { return page->findChild<QListView*>()->model(); }
    QString Row(int row) const { return Model()->index(row, 0).data().toString(); }
    std::string SaveWith(int buttonId, const QString& name)
    {
        dialogs.filePath = folder.filePath(name);
        Button(buttonId)->click();
        return ReadFile(dialogs.filePath);
    }
};

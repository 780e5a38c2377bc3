#pragma once

#include <QDialog>

// The About box of the terminal: its name and version.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    // The About entry of the configuration dialog.
    static constexpr int kAboutCommand = 16;

    explicit CAboutDlg(QWidget* parent = nullptr);
};

#include "AboutDlg.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("About Telvan Terminal");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString("<b>Telvan Terminal</b><br>Version %1<br>for the Zelnar "
                                         "and Quorin laser distance meters")
                                     .arg(QCoreApplication::applicationVersion()),
                                 this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAboutDlg::accept);
    layout->addWidget(buttons);
}

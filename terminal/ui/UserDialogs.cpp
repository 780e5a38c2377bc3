#include "UserDialogs.h"

#include "TerminalSettings.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace {

CUserDialogs::MessageHandler& MessageHook()
{
    static CUserDialogs::MessageHandler handler;
    return handler;
}

CUserDialogs::FileNameHandler& FileNameHook()
{
    static CUserDialogs::FileNameHandler handler;
    return handler;
}

CUserDialogs::ModalHandler& ModalHook()
{
    static CUserDialogs::ModalHandler handler;
    return handler;
}

CUserDialogs::QuestionHandler& QuestionHook()
{
    static CUserDialogs::QuestionHandler handler;
    return handler;
}

} // namespace

void CUserDialogs::ShowMessage(QWidget* parent, const QString& text)
{
    if (MessageHook()) {
        MessageHook()(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

int CUserDialogs::Ask(QWidget* parent, const QString& text, const QStringList& choices)
{
    if (QuestionHook())
        return QuestionHook()(text, choices);
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), text,
                    QMessageBox::NoButton, parent);
    std::vector<QPushButton*> buttons;
    for (const QString& choice : choices)
        buttons.push_back(box.addButton(choice, QMessageBox::AcceptRole));
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return chosen == buttons.end() ? -1 : static_cast<int>(chosen - buttons.begin());
}

QString CUserDialogs::AskFileName(QWidget* parent, const CFileRequest& request)
{
    if (FileNameHook())
        return FileNameHook()(request);
    QFileDialog dialog(parent);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(request.fileType);
    dialog.setDefaultSuffix(request.defaultExtension);
    CTerminalSettings settings;
    if (const QString folder = settings.Folder(request.folderKey); !folder.isEmpty())
        dialog.setDirectory(folder);
    if (request.save)
        dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().front();
    settings.SetFolder(request.folderKey, QFileInfo(path).absolutePath());
    return path;
}

int CUserDialogs::RunModal(QDialog& dialog)
{
    if (ModalHook())
        return ModalHook()(dialog);
    return dialog.exec();
}

void CUserDialogs::SetMessageHandler(MessageHandler handler)
{
    MessageHook() = std::move(handler);
}

void CUserDialogs::SetFileNameHandler(FileNameHandler handler)
{
    FileNameHook() = std::move(handler);
}

void CUserDialogs::SetModalHandler(ModalHandler handler)
{
    ModalHook() = std::move(handler);
}

void CUserDialogs::SetQuestionHandler(QuestionHandler handler)
{
    QuestionHook() = std::move(handler);
}

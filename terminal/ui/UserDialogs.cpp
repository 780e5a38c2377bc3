#include "UserDialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

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

QString CUserDialogs::AskFileName(QWidget* parent, const CFileRequest& request)
{
    if (FileNameHook())
        return FileNameHook()(request);
    QFileDialog dialog(parent);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(request.fileType);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (request.save)
        dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
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

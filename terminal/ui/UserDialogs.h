#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QWidget;

// A file-name question: the save or the open dialog with its proposed name and file types, and
// the name under which the folder it was last answered in is remembered.
struct CFileRequest
{
    bool save = false;
    QString proposedName;     // without extension
    QString defaultExtension; // without the dot
    QString fileType;         // "Text Files (*.txt)"
    QString folderKey;        // "log", "parameters", ...

    bool operator==(const CFileRequest&) const = default;
};

// Every modal message box, file-name dialog and modal dialog of the terminal goes through here,
// so that tests can read the texts and answer in place of an operator.
class CUserDialogs
{
public:
    using MessageHandler = std::function<void(const QString& text)>;
    // The chosen path, or empty for Cancel.
    using FileNameHandler = std::function<QString(const CFileRequest& request)>;
    // The dialog's result; the handler may work the dialog's controls before it answers.
    using ModalHandler = std::function<int(QDialog& dialog)>;
    // The index of the choice taken, -1 when the question was closed without one.
    using QuestionHandler = std::function<int(const QString& text, const QStringList& choices)>;

    static void ShowMessage(QWidget* parent, const QString& text);
    // A question with a button for each choice, in order.
    static int Ask(QWidget* parent, const QString& text, const QStringList& choices);
    static QString AskFileName(QWidget* parent, const CFileRequest& request);
    static int RunModal(QDialog& dialog);

    // An empty handler restores the operator's dialogs.
    static void SetMessageHandler(MessageHandler handler);
    static void SetFileNameHandler(FileNameHandler handler);
    static void SetModalHandler(ModalHandler handler);
    static void SetQuestionHandler(QuestionHandler handler);
};

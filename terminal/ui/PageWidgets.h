#pragma once

#include <QFont>
#include <QString>

#include <string_view>

class QLineEdit;
class QPushButton;
class QWidget;

// Pieces the pages share.

// Texts from the device are Latin-1 bytes; the terminal's own texts (units, help) are UTF-8.
inline QString FromDevice(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The pages' reading fonts: "Arial" of the given pixel height, normal weight.
QFont ArialFont(int height);

// A centred, read-only count box that starts at "0".
QLineEdit* CountEdit(QWidget* parent, int id);

// A page's push button: Enter on the page never presses it.
QPushButton* PageButton(const QString& text, int id, QWidget* parent);

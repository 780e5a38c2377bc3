#include "DisplayWidgets.h"

#include "ControlId.h"

#include <QLineEdit>

QFont ArialFont(int height)
{
    QFont font("Arial");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(height);
    font.setWeight(QFont::Normal);
    return font;
}

QLineEdit* CountEdit(QWidget* parent, int id)
{
    auto* edit = WithControlId(new QLineEdit(QStringLiteral("0"), parent), id);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignCenter);
    return edit;
}

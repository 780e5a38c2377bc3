#include "PageWidgets.h"

#include "ControlId.h"

#include <QLineEdit>
#include <QPushButton>

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

QPushButton* PageButton(const QString& text, int id, QWidget* parent)
{
    auto* button = WithControlId(new QPushButton(text, parent), id);
    button->setAutoDefault(false);
    return button;
}

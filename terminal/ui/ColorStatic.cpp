#include "ColorStatic.h"

#include <QPalette>

CColorStatic::CColorStatic(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    SetTextColor(m_textColor);
}

void CColorStatic::SetTextColor(const QColor& color)
{
    m_textColor = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, color);
    setPalette(palette);
    update();
}

#pragma once

#include <QColor>
#include <QLabel>

// A static text whose text colour can be set: the red "Set" beside the Set button, shown while
// the parameter controls differ from what was last read or set.
class CColorStatic : public QLabel
{
    Q_OBJECT
public:
    explicit CColorStatic(const QString& text, QWidget* parent = nullptr);

    void SetTextColor(const QColor& color);
    QColor TextColor() const { return m_textColor; }

private:
    QColor m_textColor = Qt::black;
};

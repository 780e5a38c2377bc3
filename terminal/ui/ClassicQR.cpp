#include "ClassicQR.h"

ClassicQR::ClassicQR(QWidget* parent) : CClassicPage(1132, &QuorinClassicEnter, parent) {}

void ClassicQR::OnData()
{
    Show(QuorinClassicData());
}

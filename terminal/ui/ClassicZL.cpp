#include "ClassicZL.h"

#include "ParameterRecords.h"

ClassicZL::ClassicZL(QWidget* parent) : CClassicPage(1012, &ZelnarClassicEnter, parent) {}

void ClassicZL::OnData()
{
    Show(ZelnarClassicData(ZelnarParameters.SDx));
}

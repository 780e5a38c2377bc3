#include "ParameterRecords.h"
#include "ParameterTestSupport.h"

#include <gtest/gtest.h>

namespace {

class ParameterRecords : public ParameterStateTest
{
};

TEST_F(ParameterRecords, SharedFieldsHaveOneStorage)
{
    ZelnarParameters.SA = 20;
    ZelnarParameters.SF = 1.5;
    ZelnarParameters.BR = 9600;
    EXPECT_EQ(QuorinParameters.SA, 20);
    EXPECT_EQ(QuorinParameters.SF, 1.5);
    EXPECT_EQ(QuorinParameters.BR, 9600);
    QuorinParameters.SE = 2;
    QuorinParameters.TDy = 1;
    QuorinParameters.OF = -0.25;
    EXPECT_EQ(ZelnarParameters.SE, 2);
    EXPECT_EQ(ZelnarParameters.TDy, 1);
    EXPECT_EQ(ZelnarParameters.OF, -0.25);
    // Fields of one family only stay apart.
    ZelnarParameters.TDx = 3.5;
    QuorinParameters.TDx = 7;
    EXPECT_EQ(ZelnarParameters.TDx, 3.5);
}

TEST_F(ParameterRecords, ARecordApartSharesWithItsOwnStorageOnly)
{
    CSharedParameters shared;
    CZelnarParameters zelnar(shared);
    CQuorinParameters quorin(shared);
    zelnar.SA = 7;
    quorin.OF = 1.5;
    EXPECT_EQ(quorin.SA, 7);
    EXPECT_EQ(zelnar.OF, 1.5);
    EXPECT_EQ(ZelnarParameters.SA, 0);
    EXPECT_EQ(QuorinParameters.OF, 0);
}

} // namespace

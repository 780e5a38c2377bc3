#include "CoreListing.h"

#include "ParameterRecords.h"
#include "QuorinListingParser.h"
#include "ZelnarListingParser.h"

CZelnarParameterSet ReadZelnarListing(const std::string& listing)
{
    CZelnarParameters record;
    ParseZelnarListing(listing, record);
    CZelnarParameterSet read;
    read.AS = record.AS;
    read.PL = record.PL;
    read.SE = record.SE;
    read.SC = record.SC;
    read.SDx = record.SDx;
    read.SDy = record.SDy;
    read.MF = record.MF;
    read.SA = record.SA;
    read.TDx = record.TDx;
    read.TDy = record.TDy;
    read.TDz = record.TDz;
    read.SF = record.SF;
    read.OF = record.OF;
    read.MWx = record.MWx;
    read.MWy = record.MWy;
    read.Q1w = record.Q1w;
    read.Q1x = record.Q1x;
    read.Q1y = record.Q1y;
    read.Q1z = record.Q1z;
    read.Q2w = record.Q2w;
    read.Q2x = record.Q2x;
    read.Q2y = record.Q2y;
    read.Q2z = record.Q2z;
    read.QAx = record.QAx;
    read.QAy = record.QAy;
    read.BR = record.BR;
    SharedParameters = CSharedParameters{};
    return read;
}

CQuorinParameterSet ReadQuorinListing(const std::string& listing)
{
    CQuorinParameters record;
    ParseQuorinListing(listing, record);
    CQuorinParameterSet read;
    read.AS = record.AS;
    read.SE = record.SE;
    read.SD = record.SD == 1 ? "h" : "d";
    read.RMx = record.RMx;
    read.RMy = record.RMy;
    read.RMz = record.RMz;
    read.ST = record.ST;
    read.SA = record.SA;
    read.TDx = record.TDx;
    read.TDy = record.TDy;
    read.SF = record.SF;
    read.OF = record.OF;
    read.TMx = record.TMx;
    read.TMy = record.TMy;
    read.RB = record.RB;
    read.RE = record.RE;
    read.AC = record.AC;
    read.AW = record.AW;
    read.AH = record.AH;
    read.BR = record.BR;
    SharedParameters = CSharedParameters{};
    return read;
}

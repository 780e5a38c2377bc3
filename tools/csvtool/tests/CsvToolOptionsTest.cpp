#include "CsvToolOptions.h"

#include <gtest/gtest.h>

namespace {

CsvToolArguments Parse(const std::vector<std::string>& args)
{
    return ParseCsvToolArguments(args);
}

CsvToolOptions Valid(const std::vector<std::string>& args)
{
    const CsvToolArguments parsed = Parse(args);
    EXPECT_EQ(parsed.error, "");
    return parsed.options;
}

std::string ErrorOf(const std::vector<std::string>& args)
{
    return Parse(args).error;
}

} // namespace

TEST(CsvToolOptions, SummaryTakesItsDefaultsAndOptions)
{
    const CsvToolOptions byLines = Valid({"summary", "--lines", "10", "data.csv,1,2,3A"});
    EXPECT_EQ(byLines.command, CsvToolCommand::Summary);
    EXPECT_TRUE(byLines.byLines);
    EXPECT_EQ(byLines.length, 10);
    EXPECT_EQ(byLines.separator, ";");
    EXPECT_EQ(byLines.decimal, ",");
    EXPECT_EQ(byLines.specs, std::vector<std::string>{"data.csv,1,2,3A"});

    const CsvToolOptions byTime =
        Valid({"summary", "data.csv,1,2,3A", "--ms=60000", "--separator", ",", "--decimal=."});
    EXPECT_FALSE(byTime.byLines);
    EXPECT_EQ(byTime.length, 60000);
    EXPECT_EQ(byTime.separator, ",");
    EXPECT_EQ(byTime.decimal, ".");
    EXPECT_EQ(byTime.specs, std::vector<std::string>{"data.csv,1,2,3A"});
}

TEST(CsvToolOptions, MergeTakesItsDefaultsAndOptions)
{
    const CsvToolOptions defaults = Valid({"merge", "a.csv,1,2,3L"});
    EXPECT_EQ(defaults.command, CsvToolCommand::Merge);
    EXPECT_EQ(defaults.master, 1);
    EXPECT_FALSE(defaults.names);

    const CsvToolOptions set =
        Valid({"merge", "--master", "2", "--names", "a.csv,1,2,*", "b.csv,1,2,3A"});
    EXPECT_EQ(set.master, 2);
    EXPECT_TRUE(set.names);
    EXPECT_EQ(set.specs, (std::vector<std::string>{"a.csv,1,2,*", "b.csv,1,2,3A"}));
}

TEST(CsvToolOptions, DashNamesStandardInputAndIsNoOption)
{
    EXPECT_EQ(Valid({"summary", "--lines", "1", "-"}).specs, std::vector<std::string>{""});
    EXPECT_EQ(Valid({"summary", "--lines", "1", "-,1,2,3A"}).specs,
              std::vector<std::string>{",1,2,3A"});
    EXPECT_EQ(Valid({"merge", "a.csv,1,2,3L", ",1,2,3A"}).specs,
              (std::vector<std::string>{"a.csv,1,2,3L", ",1,2,3A"}));
    // Only a name that is exactly "-" reads standard input.
    EXPECT_EQ(Valid({"summary", "--lines", "1", "--", "-x.csv,1,2,3A"}).specs,
              std::vector<std::string>{"-x.csv,1,2,3A"});
    EXPECT_EQ(Valid({"summary", "--lines", "1", "--", "--lines"}).specs,
              std::vector<std::string>{"--lines"});
}

TEST(CsvToolOptions, HelpWinsOverTheRest)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--help"}, {"-h"}, {"summary", "--help"}, {"merge", "a.csv", "-h", "--bogus"}}) {
        const CsvToolArguments parsed = Parse(args);
        EXPECT_EQ(parsed.error, "") << args.back();
        EXPECT_EQ(parsed.options.command, CsvToolCommand::Help) << args.back();
    }
    EXPECT_NE(CsvToolUsage().find("5X[Peak]"), std::string::npos);
}

TEST(CsvToolOptions, RejectsMissingOrUnknownCommands)
{
    EXPECT_EQ(ErrorOf({}), "missing command (summary, merge or plot); see --help");
    EXPECT_EQ(ErrorOf({"sum", "--lines", "1", "a.csv"}), "unknown command \"sum\"; see --help");
    EXPECT_EQ(ErrorOf({"--lines", "1"}), "unknown command \"--lines\"; see --help");
}

TEST(CsvToolOptions, RejectsOptionsOutsideTheirCommand)
{
    EXPECT_EQ(ErrorOf({"summary", "--lines", "1", "--verbose", "a.csv"}),
              "unknown option \"--verbose\" for summary; see --help");
    EXPECT_EQ(ErrorOf({"summary", "--lines", "1", "--master", "1", "a.csv"}),
              "unknown option \"--master\" for summary; see --help");
    EXPECT_EQ(ErrorOf({"merge", "--lines", "1", "a.csv"}),
              "unknown option \"--lines\" for merge; see --help");
    EXPECT_EQ(ErrorOf({"merge", "--names=yes", "a.csv"}),
              "unknown option \"--names=yes\" for merge; see --help");
}

TEST(CsvToolOptions, RejectsLengthsThatAreNotPositiveWholeNumbers)
{
    EXPECT_EQ(ErrorOf({"summary", "a.csv", "--lines"}), "--lines needs a value");
    EXPECT_EQ(ErrorOf({"summary", "--ms", "a.csv"}),
              "--ms needs a positive whole number, not \"a.csv\"");
    for (const std::string bad :
         {"0", "-5", "abc", "10x", "1.5", "", " 7", "+7", "99999999999999999999"}) {
        EXPECT_EQ(ErrorOf({"summary", "--lines", bad, "a.csv"}),
                  "--lines needs a positive whole number, not \"" + bad + "\"");
    }
}

TEST(CsvToolOptions, SummaryNeedsExactlyOneLengthAndOneSpec)
{
    EXPECT_EQ(ErrorOf({"summary", "a.csv,1,2,3A"}), "summary needs --lines N or --ms N");
    EXPECT_EQ(ErrorOf({"summary", "--lines", "5", "--ms", "100", "a.csv"}),
              "--lines and --ms exclude each other");
    EXPECT_EQ(ErrorOf({"summary", "--lines", "5"}), "summary needs a SPEC");
    EXPECT_EQ(ErrorOf({"summary", "--lines", "5", "a.csv", "b.csv"}),
              "summary takes one SPEC, not 2");
}

TEST(CsvToolOptions, MergeNeedsSpecsAMasterAmongThemAndOneStandardInput)
{
    EXPECT_EQ(ErrorOf({"merge", "--names"}), "merge needs at least one SPEC");
    EXPECT_EQ(ErrorOf({"merge", "--master", "3", "a.csv", "b.csv"}), "--master 3 but only 2 SPECs");
    EXPECT_EQ(ErrorOf({"merge", "--master", "0", "a.csv"}),
              "--master needs a positive whole number, not \"0\"");
    EXPECT_EQ(ErrorOf({"merge", "-", "b.csv", ",1,2,3A"}), "only one SPEC may read standard input");
    EXPECT_EQ(ErrorOf({"merge", "", "-,1,2,3A"}), "only one SPEC may read standard input");
    EXPECT_EQ(Valid({"merge", "a.csv,1,2,-", "-", "--", "--,1,2,3A"}).specs,
              (std::vector<std::string>{"a.csv,1,2,-", "", "--,1,2,3A"}));
}

TEST(CsvToolOptions, PlotTakesItsPictureSizeAndXAxis)
{
    const CsvToolOptions defaults = Valid({"plot", "a.csv,0,0,1L,2L", "-o", "a.png"});
    EXPECT_EQ(defaults.command, CsvToolCommand::Plot);
    EXPECT_EQ(defaults.picture, "a.png");
    EXPECT_EQ(defaults.width, 800);
    EXPECT_EQ(defaults.height, 600);
    EXPECT_EQ(defaults.xAxis, PlotXAxis::Values);

    const CsvToolOptions set =
        Valid({"plot", "-o=b.bmp", "--size", "320X200", "--relative", "--relative", "-,1,2,3L"});
    EXPECT_EQ(set.picture, "b.bmp");
    EXPECT_EQ(set.width, 320);
    EXPECT_EQ(set.height, 200);
    EXPECT_EQ(set.xAxis, PlotXAxis::RelativeTime);
    EXPECT_EQ(set.specs, std::vector<std::string>{",1,2,3L"});
    EXPECT_EQ(Valid({"plot", "--time", "a", "-o", "a.png"}).xAxis, PlotXAxis::Time);
    EXPECT_EQ(Valid({"plot", "--lines", "a", "-o", "a.png"}).xAxis, PlotXAxis::LineNumber);
}

TEST(CsvToolOptions, PlotNeedsOneSpecAPictureAndOneXAxis)
{
    EXPECT_EQ(ErrorOf({"plot", "-o", "a.png"}), "plot needs a SPEC");
    EXPECT_EQ(ErrorOf({"plot", "a.csv", "b.csv", "-o", "a.png"}), "plot takes one SPEC, not 2");
    EXPECT_EQ(ErrorOf({"plot", "a.csv"}), "plot needs -o PICTURE");
    EXPECT_EQ(ErrorOf({"plot", "a.csv", "-o"}), "-o needs a value");
    EXPECT_EQ(ErrorOf({"plot", "--xy", "--time", "a.csv", "-o", "a.png"}),
              "--xy and --time exclude each other");
    EXPECT_EQ(ErrorOf({"plot", "--lines=3", "a.csv", "-o", "a.png"}),
              "unknown option \"--lines=3\" for plot; see --help");
    EXPECT_EQ(ErrorOf({"plot", "--names", "a.csv", "-o", "a.png"}),
              "unknown option \"--names\" for plot; see --help");
    for (const std::string bad :
         {"800", "800x", "x600", "0x600", "800x-1", "8e2x600", "800x600x1", "99999999999x600"}) {
        EXPECT_EQ(ErrorOf({"plot", "--size", bad, "a.csv", "-o", "a.png"}),
                  "--size needs WIDTHxHEIGHT in pixels, such as 800x600, not \"" + bad + "\"");
    }
}

TEST(CsvToolOptions, RejectsEmptySeparatorAndDecimal)
{
    EXPECT_EQ(ErrorOf({"summary", "--lines", "1", "--separator=", "a.csv"}),
              "--separator needs a non-empty value");
    EXPECT_EQ(ErrorOf({"merge", "--decimal", "", "a.csv"}), "--decimal needs a non-empty value");
    EXPECT_EQ(ErrorOf({"merge", "a.csv", "--decimal"}), "--decimal needs a value");
}

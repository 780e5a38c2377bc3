#include "CsvToolOptions.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string NameOf(const std::string& spec)
{
    return spec.substr(0, spec.find(','));
}

bool ReadsStandardInput(const std::string& spec)
{
    const std::string name = NameOf(spec);
    return name.empty() || name == "-";
}

// "-" and "-,selection" are specifications of standard input, not options.
bool IsOption(const std::string& arg)
{
    return arg.size() > 1 && arg[0] == '-' && arg[1] != ',';
}

bool ParsePositive(const std::string& text, std::int64_t& value)
{
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && value >= 1;
}

// "WxH" with two positive whole numbers.
bool ParseSize(const std::string& text, int& width, int& height)
{
    const char* end = text.data() + text.size();
    const auto [cross, widthError] = std::from_chars(text.data(), end, width);
    if (widthError != std::errc() || cross == end || (*cross != 'x' && *cross != 'X'))
        return false;
    const auto [stop, heightError] = std::from_chars(cross + 1, end, height);
    return heightError == std::errc() && stop == end && width >= 1 && height >= 1;
}

struct PlotFlag
{
    const char* name;
    PlotXAxis xAxis;
};

constexpr PlotFlag PlotFlags[] = {
    {"--xy", PlotXAxis::Values},
    {"--time", PlotXAxis::Time},
    {"--relative", PlotXAxis::RelativeTime},
    {"--lines", PlotXAxis::LineNumber},
};

class Parser
{
public:
    explicit Parser(const std::vector<std::string>& args) : m_Args(args) {}

    CsvToolArguments Parse()
    {
        if (m_Args.empty())
            return Fail("missing command (summary, merge or plot); see --help");
        const std::string& command = m_Args[0];
        if (command == "--help" || command == "-h")
            return m_Result;
        if (command == "summary")
            m_Options.command = CsvToolCommand::Summary;
        else if (command == "merge")
            m_Options.command = CsvToolCommand::Merge;
        else if (command == "plot")
            m_Options.command = CsvToolCommand::Plot;
        else
            return Fail("unknown command " + Quoted(command) + "; see --help");

        bool optionsEnded = false;
        for (m_Next = 1; m_Next < m_Args.size();) {
            const std::string& arg = m_Args[m_Next++];
            if (optionsEnded || !IsOption(arg)) {
                m_Options.specs.push_back(arg);
            } else if (arg == "--") {
                optionsEnded = true;
            } else if (arg == "--help" || arg == "-h") {
                return CsvToolArguments{};
            } else if (!ParseOption(arg)) {
                return m_Result;
            }
        }
        switch (m_Options.command) {
        case CsvToolCommand::Summary:
            return CheckSummary();
        case CsvToolCommand::Merge:
            return CheckMerge();
        default:
            return CheckPlot();
        }
    }

private:
    // False with the error set when the option is unknown or its value is not valid.
    bool ParseOption(const std::string& arg)
    {
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        m_InlineValue =
            equals == std::string::npos ? std::nullopt : std::optional(arg.substr(equals + 1));
        const bool summary = m_Options.command == CsvToolCommand::Summary;
        const bool merge = m_Options.command == CsvToolCommand::Merge;
        if (name == "--separator")
            return TakeText(name, m_Options.separator);
        if (name == "--decimal")
            return TakeText(name, m_Options.decimal);
        if (m_Options.command == CsvToolCommand::Plot)
            return ParsePlotOption(arg, name);
        if (summary && (name == "--lines" || name == "--ms")) {
            m_Options.byLines = name == "--lines";
            if (m_Options.byLines)
                m_Lines = true;
            else
                m_Milliseconds = true;
            return TakeNumber(name, m_Options.length);
        }
        if (merge && name == "--master")
            return TakeNumber(name, m_Master);
        if (merge && name == "--names" && !m_InlineValue) {
            m_Options.names = true;
            return true;
        }
        return UnknownOption(arg);
    }

    bool ParsePlotOption(const std::string& arg, const std::string& name)
    {
        if (name == "-o")
            return TakeText(name, m_Options.picture);
        if (name == "--size") {
            std::string value;
            if (!TakeValue(name, value))
                return false;
            if (!ParseSize(value, m_Options.width, m_Options.height)) {
                Fail("--size needs WIDTHxHEIGHT in pixels, such as 800x600, not " + Quoted(value));
                return false;
            }
            return true;
        }
        for (const PlotFlag& flag : PlotFlags) {
            if (name != flag.name || m_InlineValue)
                continue;
            if (!m_XFlag.empty() && m_XFlag != name) {
                Fail(m_XFlag + " and " + name + " exclude each other");
                return false;
            }
            m_XFlag = name;
            m_Options.xAxis = flag.xAxis;
            return true;
        }
        return UnknownOption(arg);
    }

    bool UnknownOption(const std::string& arg)
    {
        Fail("unknown option " + Quoted(arg) + " for " + m_Args[0] + "; see --help");
        return false;
    }

    bool TakeValue(const std::string& name, std::string& value)
    {
        if (m_InlineValue) {
            value = *m_InlineValue;
            return true;
        }
        if (m_Next < m_Args.size()) {
            value = m_Args[m_Next++];
            return true;
        }
        Fail(name + " needs a value");
        return false;
    }

    bool TakeText(const std::string& name, std::string& text)
    {
        std::string value;
        if (!TakeValue(name, value))
            return false;
        if (value.empty()) {
            Fail(name + " needs a non-empty value");
            return false;
        }
        text = value;
        return true;
    }

    bool TakeNumber(const std::string& name, std::int64_t& number)
    {
        std::string value;
        if (!TakeValue(name, value))
            return false;
        if (!ParsePositive(value, number)) {
            Fail(name + " needs a positive whole number, not " + Quoted(value));
            return false;
        }
        return true;
    }

    CsvToolArguments CheckSummary()
    {
        if (m_Lines && m_Milliseconds)
            return Fail("--lines and --ms exclude each other");
        if (!m_Lines && !m_Milliseconds)
            return Fail("summary needs --lines N or --ms N");
        if (m_Options.specs.size() != 1)
            return Fail(m_Options.specs.empty() ? "summary needs a SPEC"
                                                : "summary takes one SPEC, not " +
                                                      std::to_string(m_Options.specs.size()));
        return Normalized();
    }

    CsvToolArguments CheckMerge()
    {
        const std::vector<std::string>& specs = m_Options.specs;
        if (specs.empty())
            return Fail("merge needs at least one SPEC");
        if (static_cast<std::uint64_t>(m_Master) > specs.size())
            return Fail("--master " + std::to_string(m_Master) + " but only " +
                        std::to_string(specs.size()) + " SPEC" + (specs.size() > 1 ? "s" : ""));
        if (std::ranges::count_if(specs, ReadsStandardInput) > 1)
            return Fail("only one SPEC may read standard input");
        m_Options.master = static_cast<int>(m_Master);
        return Normalized();
    }

    CsvToolArguments CheckPlot()
    {
        if (m_Options.specs.size() != 1)
            return Fail(m_Options.specs.empty()
                            ? "plot needs a SPEC"
                            : "plot takes one SPEC, not " + std::to_string(m_Options.specs.size()));
        if (m_Options.picture.empty())
            return Fail("plot needs -o PICTURE");
        return Normalized();
    }

    CsvToolArguments Normalized()
    {
        for (std::string& spec : m_Options.specs) {
            if (NameOf(spec) == "-")
                spec.erase(0, 1);
        }
        return m_Result;
    }

    CsvToolArguments Fail(std::string error)
    {
        m_Result.error = std::move(error);
        return m_Result;
    }

    const std::vector<std::string>& m_Args;
    std::size_t m_Next = 0;
    std::optional<std::string> m_InlineValue;
    std::int64_t m_Master = 1;
    bool m_Lines = false;
    bool m_Milliseconds = false;
    std::string m_XFlag; // plot: the flag that chose the X axis
    CsvToolArguments m_Result;
    CsvToolOptions& m_Options = m_Result.options;
};

} // namespace

CsvToolArguments ParseCsvToolArguments(const std::vector<std::string>& args)
{
    return Parser(args).Parse();
}

std::string CsvToolUsage()
{
    return R"(usage: telvan-csv summary (--lines N | --ms N) [--separator S] [--decimal D] SPEC
       telvan-csv merge [--master K] [--names] [--separator S] [--decimal D] SPEC...
       telvan-csv plot SPEC -o PICTURE [--size WxH] [--xy | --time | --relative | --lines]
                       [--separator S] [--decimal D]
       telvan-csv --help

summary     One record per N lines (--lines) or per N milliseconds (--ms) of the
            file, with the selected functions over those lines.
merge       One record per line of the K-th SPEC (--master, default 1), with the
            functions of every SPEC over the lines since the previous master line;
            --names puts the function names into the header.
plot        Draws the selected columns of the file as a graph into PICTURE, whose
            ending picks the format (.png, .bmp, .jpg, .ppm, ...), WxH pixels
            (--size, default 800x600). The X axis: the first selected column
            (--xy, the default), the date and time (--time), the time since the
            first line (--relative) or the line number (--lines).
--separator The field separator of the files (default ";").
--decimal   Their decimal point (default ",").
Records go to standard output with ";" between fields and a decimal comma.

SPEC is a file name, optionally followed by a comma and a column selection:
    NAME,DATE,TIME,ITEM,ITEM...
An empty NAME or "-" reads standard input (only one SPEC of a merge may).
NAME may hold strftime fields: %Y%m%d is the current date, "%%" a "%".
Columns are counted from 1:
    DATE        the date column: DD.MM.YYYY or DD/MM/YYYY
    TIME        the time column: HH:MM:SS, HH:MM:SS.fff or HH:MM:SS:fff;
                the same number as DATE when one field holds "date time"
    nF          column n with the function F:
                  A average   N minimum   X maximum   S sum
                  D standard deviation    C count
                  L last value (so does any other letter, or none)
    ITEM[Text]  names the column Text in the header
    *           all columns: merge gives each record the file's last line
    []          the first line is a header; without it the first line is
                data and the columns are named "Column 1", "Column 2", ...
A field without a number (empty, E02, text) is missing: it counts in no
function, and C counts the numbers. Without a DATE column the first line is
today, and a time more than 12 hours before the line before is the next day.
Quote a SPEC that holds "*", "[" or "]", so that the shell leaves it alone.

Examples:
    telvan-csv summary --lines 100 'data.csv,1,2,3A,5X[Peak]'
        date in column 1, time in column 2; per 100 lines the average of
        column 3 and the maximum of column 5, captioned Peak
    telvan-csv summary --ms 60000 --separator , --decimal . -,1,1,2A,2D
        standard input, date and time in column 1; per minute the average
        and the standard deviation of column 2
    telvan-csv merge --names 'log%Y%m%d.csv,1,2,*,[]' meter.csv,1,2,3A
        today's log with all its columns, and the average of column 3 of
        meter.csv between the log's lines
    telvan-csv plot --time 'log.csv,1,2,3L[Distance],[]' -o distance.png
        column 3 of log.csv over its date and time

Exit status: 0 done, 1 the input could not be processed, 2 bad arguments, a
file that cannot be opened or is empty, a summary that selects no function, a
summary or merge without records, or a plot with nothing to draw or a picture
that cannot be written.
)";
}

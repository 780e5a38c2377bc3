#include "CSVFormatFile.h"
#include "CSVStream.h"
#include "StdioFileEx.h"
#include "StdioStream.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// UTF-16 little-endian bytes of an ASCII or Latin-1 text, without a mark.
std::string Utf16(const std::u16string& text)
{
    std::string bytes;
    for (const char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

const std::string Mark = "\xFF\xFE";

} // namespace

TEST(StdioFileEx, ReadsUtf16FilesAsUtf8Lines)
{
    TempDir dir;
    const std::string file =
        dir.Write("u.csv", Mark + Utf16(u"Datum;Wert \u00b0C\r\n24.12.2010;1,5\r\nlast"));
    EXPECT_TRUE(CStdioFileEx::IsFileUnicode(file.c_str()));
    CStdioFileEx in;
    ASSERT_TRUE(in.Open(file.c_str(), CStdioFile::modeRead | CStdioFile::typeText));
    EXPECT_TRUE(in.IsFileUnicodeText());
    EXPECT_EQ(in.GetCharCount(), 35);
    std::string line;
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, "Datum;Wert \xC2\xB0"
                    "C");
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, "24.12.2010;1,5");
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(in.ReadString(line));
}

TEST(StdioFileEx, SurrogatesAndLongLines)
{
    TempDir dir;
    std::u16string text = u"a\xD800"
                          "b\U0001F600\n";
    text += std::u16string(5000, u'x') + u"\n";
    const std::string file = dir.Write("s.txt", Mark + Utf16(text));
    CStdioFileEx in(file.c_str(), CStdioFile::modeRead);
    std::string line;
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, "a#b\xF0\x9F\x98\x80");
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, std::string(4095, 'x'));
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, std::string(905, 'x'));
    EXPECT_FALSE(in.ReadString(line));
}

TEST(StdioFileEx, PlainFilesAndLineEnds)
{
    TempDir dir;
    const std::string file = dir.Write("p.txt", "a\r\nb\rc\n\nd");
    EXPECT_FALSE(CStdioFileEx::IsFileUnicode(file.c_str()));
    EXPECT_FALSE(CStdioFileEx::IsFileUnicode(dir.Path("missing").c_str()));
    CStdioFileEx in(file.c_str(), CStdioFile::modeRead);
    EXPECT_EQ(in.GetCharCount(), 9);
    std::string line;
    std::vector<std::string> lines;
    while (in.ReadString(line))
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b\rc", "", "d"}));
    EXPECT_EQ(CStdioFileEx().GetCharCount(), 0);
}

// A reader that ends at a line start as if the file ended there, over blocks of reading, then
// reads on to the true end; Seek starts the next read anywhere.
TEST(StdioFile, ReadEndAndSeek)
{
    TempDir dir;
    std::string text;
    std::int64_t end = 0;
    for (int i = 0; i < 20000; ++i) {
        text += "line " + std::to_string(i) + "\n";
        if (i == 9999)
            end = static_cast<std::int64_t>(text.size());
    }
    CStdioFile in;
    ASSERT_TRUE(in.Open(dir.Write("lines.txt", text).c_str(), CStdioFile::modeRead));
    in.SetReadEnd(end);
    std::string line;
    int count = 0;
    std::string last;
    while (in.ReadString(line)) {
        ++count;
        last = line;
    }
    EXPECT_EQ(count, 10000);
    EXPECT_EQ(last, "line 9999");
    EXPECT_EQ(in.GetPosition(), end);
    in.SetReadEnd(-1);
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, "line 10000");
    ASSERT_TRUE(in.Seek(end - 10));
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, "line 9999");
    EXPECT_EQ(in.GetPosition(), end);
}

TEST(StdioFileEx, WritesUtf16WithOneMark)
{
    TempDir dir;
    const std::string file = dir.Path("w.txt");
    {
        CStdioFileEx out(file.c_str(), CStdioFile::modeCreate | CStdioFile::modeWrite |
                                           CStdioFileEx::modeWriteUnicode);
        ASSERT_TRUE(out.IsOpen());
        EXPECT_TRUE(out.WriteString("A\xC2\xB0"));
        EXPECT_TRUE(out.WriteString("\xB0\r\n"));
    }
    EXPECT_EQ(ReadAll(file), Mark + Utf16(u"A\u00b0\u00b0\r\n"));

    CStdioFileEx back(file.c_str(), CStdioFile::modeRead);
    std::string line;
    ASSERT_TRUE(back.ReadString(line));
    EXPECT_EQ(line, "A\xC2\xB0\xC2\xB0");
}

TEST(CSVStreamFiles, Utf16CSVFileIsReadLikeAnyOther)
{
    TempDir dir;
    const std::string file = dir.Write("u.csv", Mark + Utf16(u"A;B\r\n1,5;2\r\n"));
    CCSVStream stream;
    CCSVTable table(CSVFormatLineNumber, nullptr);
    ASSERT_EQ(stream.OpenStream(file + ",0,0,*,[]", ";", ",", &table), 1);
    stream.ProcessStream();
    ASSERT_EQ(table.GetSize(), 2);
    EXPECT_EQ(table[1]->m_pFormat->m_strCaption, "B");
    EXPECT_EQ(table[0]->m_Values, std::vector<double>{1.5});
}

TEST(CSVFormatFile, WriteValueInTheSpreadsheetConvention)
{
    TempDir dir;
    const std::string file = dir.Path("f.csv");
    {
        CCSVFormatFile out(file.c_str(), CStdioFile::modeCreate | CStdioFile::modeWrite);
        EXPECT_TRUE(out.WriteValue("%.1f,%d", 2.5, 3));
        EXPECT_TRUE(out.WriteValue("\r\n%s,%.3lf", "x", 1234.5));
    }
    EXPECT_EQ(ReadAll(file), "2,5;3\r\nx;1234,500");
}

namespace {

class UpperFilter : public CStdioStream
{
public:
    int OnOpenFile(int, CStdioFileEx& output) override { return output.WriteString("begin\n"); }
    int ProcessLine(int parameter, std::string& line) override
    {
        if (line == "stop")
            return 0;
        for (char& c : line)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        line += std::to_string(parameter);
        return 1;
    }
    int OnCloseFile(int, CStdioFileEx& output) override { return output.WriteString("end\n"); }
};

class CancelAt : public CProgressWindowBase
{
public:
    explicit CancelAt(std::int64_t position) : m_Cancel(position) {}
    void SetTitle(const std::string&) override {}
    void SetRange(std::int64_t, std::int64_t upper) override { m_Upper = upper; }
    void SetPos(std::int64_t position) override { m_Position = position; }
    bool IsCancelled() const override { return m_Position >= m_Cancel; }
    std::int64_t m_Upper = 0;

private:
    std::int64_t m_Cancel;
    std::int64_t m_Position = 0;
};

} // namespace

TEST(StdioStream, FiltersLinesIntoANewFile)
{
    TempDir dir;
    const std::string in = dir.Write("in.txt", "ab\r\ncd\n");
    const std::string out = dir.Write("out.txt", "old content that goes away");
    UpperFilter filter;
    CancelAt never(1 << 20);
    EXPECT_EQ(filter.ProcessLines(in.c_str(), out.c_str(), 7, &never), 1);
    EXPECT_EQ(ReadAll(out), "begin\nAB7\nCD7\nend\n");
    EXPECT_EQ(never.m_Upper, 7);
}

TEST(StdioStream, StopsOnRequestAndOnMissingFiles)
{
    TempDir dir;
    const std::string in = dir.Write("in.txt", "a\nstop\nb\n");
    const std::string out = dir.Path("out.txt");
    UpperFilter filter;
    EXPECT_EQ(filter.ProcessLines(in.c_str(), out.c_str(), 1, nullptr), 0);
    EXPECT_EQ(ReadAll(out), "begin\nA1\n");

    CancelAt atOnce(0);
    EXPECT_EQ(filter.ProcessLines(dir.Write("in2.txt", "x\n").c_str(), out.c_str(), 1, &atOnce), 0);
    EXPECT_EQ(ReadAll(out), "begin\n");

    EXPECT_EQ(filter.ProcessLines(dir.Path("missing").c_str(), out.c_str(), 1, nullptr), 0);
    EXPECT_EQ(filter.ProcessLines(in.c_str(), dir.Path("no/such/dir/out").c_str(), 1, nullptr), 0);
}

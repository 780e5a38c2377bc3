#include "StdioStream.h"

int CStdioStream::ProcessLines(const char* inputFile, const char* outputFile, int parameter,
                               CProgressWindowBase* progress)
{
    CStdioFileEx input;
    CStdioFileEx output;
    if (!input.Open(inputFile,
                    CStdioFile::modeRead | CStdioFile::shareDenyWrite | CStdioFile::typeText) ||
        !output.Open(outputFile,
                     CStdioFile::modeCreate | CStdioFile::modeWrite | CStdioFile::typeText))
        return 0;

    int result = OnOpenFile(parameter, output);
    if (result) {
        if (progress)
            progress->SetRange(0, input.GetLength());
        std::string line;
        bool ended = true;
        while (input.ReadString(line)) {
            if (progress) {
                progress->SetPos(input.GetPosition());
                if (progress->IsCancelled()) {
                    ended = false;
                    break;
                }
            }
            result = ProcessLine(parameter, line);
            if (!result) {
                ended = false;
                break;
            }
            line += '\n';
            if (!output.WriteString(line.c_str())) {
                ended = false;
                break;
            }
        }
        result = ended ? OnCloseFile(parameter, output) : 0;
    }
    input.Close();
    return output.Close() ? result : 0;
}

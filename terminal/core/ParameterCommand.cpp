#include "ParameterCommand.h"

void CParameterCommand::Write(std::string bytes, int pauseMs)
{
    steps.push_back({std::move(bytes), pauseMs});
}

void CParameterCommand::WriteIf(bool send, std::string bytes, int pauseMs)
{
    if (send)
        Write(std::move(bytes), pauseMs);
    else if (!steps.empty())
        steps.back().pauseMs += pauseMs;
}

CParameterCommand CParameterCommand::Refused(const char* text)
{
    CParameterCommand command;
    command.refusal = text;
    return command;
}

std::string ParameterLine(const char* key, std::initializer_list<std::string> values)
{
    std::string line = key;
    const char* separator = "";
    for (const std::string& value : values) {
        line += separator;
        line += value;
        separator = " ";
    }
    line += '\r';
    return line;
}

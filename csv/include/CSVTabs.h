#pragma once

// The whole public interface of the CSV library: time stamps, the table model, CSV streams
// and files.

#include "CSVAxis.h"
#include "CSVFile.h"
#include "CSVFormatFile.h"
#include "CSVLine.h"
#include "CSVRange.h"
#include "CSVStream.h"
#include "CSVTable.h"
#include "CSV_API.h"
#include "Int64Time.h"
#include "PointerArray.h"
#include "ProgressWindow.h"
#include "StdioFile.h"
#include "StdioFileEx.h"
#include "StdioStream.h"
#include "StopWatch.h"
#include "Strings.h"
#include "TextStream.h"
#include "TextStreamProcessor.h"
#include "TimeStamp.h"

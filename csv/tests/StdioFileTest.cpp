#include "CSVTabs.h"
#include <gtest/gtest.h>

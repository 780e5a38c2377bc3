#pragma once

// The whole public interface of the drawing library: the table-to-graph renderer and its
// drawing targets, the picture class, the graph control and the preview window.

#include "CSVGraph2DC.h"
#include "CSVGraph2Image.h"
#include "CSVGraph2Static.h"
#include "CSVGraphContext.h"
#include "CSVGraphPreview.h"
#include "CSVGraphPreviewDlg.h"
#include "CSVTable2Graph.h"
#include "CxImage.h"
#include "CxImageFormat.h"
#include "GraphColors.h"
#include "GraphTypes.h"
#include "PLOTRA_API.h"

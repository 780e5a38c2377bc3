#include "GraphQR.h"

GraphQR::GraphQR(QWidget* parent) : QWidget(parent) {}

void GraphQR::RedrawGraphQR() {}

// CSdlDisplaySystem: the displays SDL reports, with what the OpenGL driver of the main window
// can do, as the enumeration's adapter reports.
#pragma once

#include "app/DisplayEnumeration.h"

class CSdlDisplaySystem : public CDisplaySystem {
public:
    // Called once the main window and its GL context exist.
    std::vector<CAdapterReport> ReportAdapters() override;
};

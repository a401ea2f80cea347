// ConfigSheet: the settings sheet, which opens centred on the monitor that holds the
// cursor (the user is looking there) rather than where its hidden owner sits.
#pragma once
#include "ui/FwPropSheet.h"

class ConfigSheet : public FwPropSheet {
public:
    using FwPropSheet::FwPropSheet;
    void OnPSCB_INITIALIZED() override;
};

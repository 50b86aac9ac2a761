#pragma once
#include "editor/HexEditorModel.h"

namespace karvo {

// The hex editor window (THexEditor), modal over the main window; returns
// when the user closes it.
class HexEditorPort {
  public:
    virtual ~HexEditorPort() = default;
    virtual void Run(HexEditorModel& model) = 0;
};

}  // namespace karvo

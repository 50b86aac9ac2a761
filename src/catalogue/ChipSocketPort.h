#pragma once
#include "catalogue/DeviceRecord.h"

namespace karvo {

// The programmer's socket: the user puts the chip just selected into it. A
// real programmer learns of it only from the parameter block; the virtual
// one puts that very chip in its socket, which a parameter block cannot
// always name (two chips may send the same block).
class ChipSocketPort {
  public:
    virtual ~ChipSocketPort() = default;
    virtual void ChipSelected(const DeviceRecord& chip) = 0;
};

}  // namespace karvo

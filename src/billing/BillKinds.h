#pragma once

#include "billing/LineDocumentKind.h"

namespace billing {

// What both bill screens share: sales bills for a customer, the bill's grid
// and captions.
LineDocumentKind salesBillKind();

}  // namespace billing

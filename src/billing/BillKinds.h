#pragma once

#include "families/LineDocumentKind.h"

namespace billing {

// What both bill screens share: sales bills for a customer, the bill's grid
// and captions.
families::LineDocumentKind salesBillKind();

}  // namespace billing

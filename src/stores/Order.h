#pragma once

namespace stores {

// The order of a list of numbers.
enum class Order { LowestFirst, HighestFirst };

}  // namespace stores

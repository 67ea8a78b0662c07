#include "data/TransactionBoundaries.h"

namespace statement {

namespace {
std::function<void(Boundary)>& boundaryListener()
{
    static std::function<void(Boundary)> heard;
    return heard;
}
}  // namespace

void setBoundaryListener(std::function<void(Boundary)> heard)
{
    boundaryListener() = std::move(heard);
}

void tellBoundary(Boundary boundary)
{
    if (boundaryListener())
        boundaryListener()(boundary);
}

}  // namespace statement
